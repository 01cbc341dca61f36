#include "model/vellicordoc.h"
#include "platform/printer.h"
#include "platform/safefile.h"
#include "report/jobreport.h"
#include "support/recordingmessages.h"
#include "support/samplejob.h"
#include "ui/drawing/layoutdrawing.h"
#include "ui/pages/resultsummary.h"
#include "ui/drawing/rtfreader.h"
#include "units/numtext.h"
#include "units/units.h"

#include <QDir>
#include <QHelpEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextTable>
#include <QToolTip>
#include <QtTest>

using namespace vellicor;

namespace {

struct NoPrinter : IPrinterMetrics {
    int PageWidthTwips() const override { return 0; }
};

QString Cells(const QTextTable& table, int row)
{
    QStringList cells;
    for (int c = 0; c < table.columns(); ++c) {
        const QTextTableCell cell = table.cellAt(row, c);
        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        cells << cursor.selectedText();
    }
    return cells.join('|');
}

// The document as lines: "h<level> text" for a heading, "p text" for another paragraph, "t<columns>"
// where a table starts and "r a|b|..." for each of its rows. Empty paragraphs are left out.
QStringList Outline(const QTextDocument& doc)
{
    QStringList lines;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (const auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
            lines << QString("t%1").arg(table->columns());
            for (int r = 0; r < table->rows(); ++r)
                lines << "r " + Cells(*table, r);
        } else if (const QTextBlock block = it.currentBlock(); block.isValid() && !block.text().isEmpty()) {
            const int level = block.blockFormat().headingLevel();
            lines << (level ? QString("h%1 ").arg(level) : QString("p ")) + block.text();
        }
    }
    return lines;
}

QStringList Read(const std::string& rtf)
{
    QTextDocument doc;
    ReadRtf(rtf, doc);
    return Outline(doc);
}

QTextTable* FirstTable(const QTextDocument& doc)
{
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it)
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame()))
            return table;
    return nullptr;
}

QTextBlock FindBlock(const QTextDocument& doc, const QString& text)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.text() == text)
            return b;
    return {};
}

QString Len(double mm)
{
    return QString::fromStdString(FormatLength(mm));
}

// A coil without trims and one slit of width - rest.
struct OneSlit {
    OneSlit(double width, double rest, double leftTrim = 0, double rightTrim = 0)
        : coil("K", width, "crca", 1, 1000, 1, "", 1, leftTrim, rightTrim),
          slit("S", "crca", 1, width - leftTrim - rightTrim - rest, 100, "", 0)
    {
    }
    LayoutDraft Draft() const { return {&coil, {{&slit, false}}, 0.0}; }
    CCoil coil;
    CCoilPart slit;
};

} // namespace

class ResultWidgetsTest : public QObject {
    Q_OBJECT

private:
    std::string WriteToString(bool fullReport, const CVellicorDoc& doc)
    {
        const std::string path = dir_->filePath("out.rtf").toStdString();
        NoPrinter printer;
        test::RecordingMessages messages;
        const bool written = fullReport ? WriteReport(doc, path, "", printer, messages)
                                        : WriteSummary(doc, path, printer);
        if (!written)
            qFatal("the report was not written");
        std::string rtf;
        ReadWholeFile(path, rtf);
        return rtf;
    }

    // The sample job's first layout, in a drawing `width` pixels wide.
    void ShowFirstLayout(CLayoutDrawing& drawing, int width)
    {
        drawing.resize(width, drawing.sizeHint().height());
        drawing.SetDraft(DraftOf(*job_->GetLayouts().GetAt(0)), job_->Settings.MinOffCut);
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<CVellicorDoc> job_;

private slots:
    void init()
    {
        SetUnitSettings(UnitSettings{});
        dir_ = std::make_unique<QTemporaryDir>();
        job_ = test::MakeSampleJob();
    }

    void summaryOfTheSampleJob()
    {
        const CVellicorDoc& doc = *job_;
        const auto n1 = [](double v) { return QString::fromStdString(FormatNumber(v, 1)); };
        QTextDocument text;
        ReadRtf(WriteToString(false, doc), text);
        QCOMPARE(Outline(text), (QStringList{
                                    "h3 Result Summary",
                                    "t2",
                                    "r Name |Values",
                                    "r Stock Weight|" + n1(doc.Layouts.TotalWeight()),
                                    "r Part Weight|" + n1(doc.PartsProducedWeight() + doc.SlitsProducedWeight()),
                                    "r Overall Utilization|" + n1(doc.OverallUtilisation() * 100),
                                    "r Part Utilization|" + n1(doc.PartUtilisation() * 100),
                                    "r Filler Part Weight|" + n1(doc.Layouts.TotalFillerWeight()),
                                    "r Overproduced Part Weight|" + n1(doc.OverProducedWeight()),
                                    "r Under Produced Part Weight|" + n1(doc.UnderProducedWeight()),
                                    "r Total No Of Layouts|2",
                                }));

        const QTextBlock heading = FindBlock(text, "Result Summary");
        const QTextCharFormat headingFormat = heading.begin().fragment().charFormat();
        QCOMPARE(headingFormat.fontWeight(), int(QFont::Bold));
        QCOMPARE(headingFormat.fontPointSize(), 13.0);

        const QTextTable* table = FirstTable(text);
        QVERIFY(table);
        QCOMPARE(table->format().headerRowCount(), 1);
        QCOMPARE(table->cellAt(0, 0).firstCursorPosition().charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(table->cellAt(1, 0).firstCursorPosition().block().begin().fragment().charFormat().fontWeight(),
                 int(QFont::Normal));
        // Two columns of equal share of the default page, 8736 twips at 15 twips a pixel.
        const auto widths = table->format().columnWidthConstraints();
        QCOMPARE(widths.size(), 2);
        QCOMPARE(widths[0], QTextLength(QTextLength::FixedLength, 4368 / 15.0));
        QCOMPARE(widths[1], QTextLength(QTextLength::FixedLength, 4368 / 15.0));
    }

    void fullReportOfTheSampleJob()
    {
        QTextDocument text;
        ReadRtf(WriteToString(true, *job_), text);
        const QStringList outline = Outline(text);

        QStringList headings;
        QStringList tableStarts;
        for (int i = 0; i < outline.size(); ++i) {
            if (outline[i].startsWith('h'))
                headings << outline[i];
            else if (outline[i].startsWith('t'))
                tableStarts << outline[i] + ' ' + outline[i + 1];
        }
        QCOMPARE(headings, (QStringList{"h1 VANT Vellicor Software - Report", "h3 Result Summary",
                                        "h3 Coil Information", "h3 Part Information", "h3 Slit Information",
                                        "h3 Filler Information", "h3 Settings Information", "h3 Coil Used Information",
                                        "h3 Summary Of Layouts", "h3 Layout 1 of 2", "h3 Layout 2 of 2"}));
        QCOMPARE(tableStarts,
                 (QStringList{"t2 r Name |Values",
                              "t10 r Name|Width|Qty|Matl|Thk.|Wt/Coil|Cost/Kg|Lt. Trim|Rt. Trim|Remarks",
                              "t7 r Name|Length|Width|Qty|Thick|Material|Remarks",
                              "t7 r Name|Width|Req. Wt.|Matl|Thk|Prty|Remarks",
                              "t6 r Name|Width|Material|Thk.|Position|Remarks", "t2 r Description|Value",
                              "t8 r Name|Width|Matl|Thk.|Avl Qty|Wt/Coil|Avl. Wt|Used Wt",
                              "t11 r No.|Name|Width|Mtl|Thk.|Used Wt|Rest Width|Details|Ovr Utl.|Part Utl.|Filler Utl",
                              "t1 r  ", "t1 r  "}));
        QVERIFY(outline.contains("r C1|1250|3|crca|1.500|10000|0.95|10|15|prime"));
        QVERIFY(outline.contains("r P1[500], S1[120], F1[50], "));

        const QTextCharFormat title = FindBlock(text, "VANT Vellicor Software - Report").begin().fragment().charFormat();
        QCOMPARE(title.fontWeight(), int(QFont::Bold));
        QCOMPARE(title.fontPointSize(), 16.0);
        // Nothing of the prolog's tables reaches the text.
        for (const char* word : {"Times New Roman", "Arial", "heading", "Normal", ";"})
            QVERIFY2(!text.toPlainText().contains(word), word);
    }

    // User data goes through the report escaped: braces, backslashes, code page 1252 and beyond.
    void escapedUserTextReadsBack()
    {
        const std::string remarks = "Zo\u00eb {x} \\ \u20ac \u03a9 \U0001F600";
        job_->Coils[0]->Remarks = remarks;
        job_->Coils[1]->Name = "C\u00e42";
        const QStringList outline = Read(WriteToString(true, *job_));
        QVERIFY(outline.contains("r C1|1250|3|crca|1.500|10000|0.95|10|15|" + QString::fromStdString(remarks)));
        QVERIFY(outline.contains(QString::fromUtf8("r C\u00e42|1000|1|crca|1.500|8000|0.90|5|5|")));
    }

    void constructsOfRtf_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QStringList>("outline");
        QTest::newRow("paragraphs and line breaks")
            << QByteArray("{\\rtf1 one\\par two\\line three\\par}")
            << QStringList{"p one", QString("p two") + QChar(0x2028) + "three"};
        QTest::newRow("escaped symbols") << QByteArray("{\\rtf1 a\\\\b\\{c\\}d\\par}") << QStringList{"p a\\b{c}d"};
        QTest::newRow("code page 1252 as hex and as bytes")
            << QByteArray("{\\rtf1 \\'80 \\'e9 \x80\xe9\\par}")
            << QStringList{QString::fromUtf8("p \u20ac \u00e9 \u20ac\u00e9")};
        QTest::newRow("unicode with its fallback")
            << QByteArray("{\\rtf1 x\\u937?y\\uc2\\u-10179??\\u-8704??z\\uc0\\u8364 !\\par}")
            << QStringList{QString::fromUtf8("p x\u03a9y\U0001F600z\u20ac!")};
        QTest::newRow("a fallback does not swallow a paragraph end")
            << QByteArray("{\\rtf1 \\u937\\par next\\par}") << QStringList{QString::fromUtf8("p \u03a9"), "p next"};
        QTest::newRow("ignorable and unknown destinations")
            << QByteArray("{\\rtf1{\\*\\generator hidden;}{\\info{\\title hidden}}\\unknownword7 shown{\\*\\x{\\y deep}}"
                          "\\par}")
            << QStringList{"p shown"};
        QTest::newRow("binary data is skipped by length")
            << QByteArray("{\\rtf1{\\*\\blob\\bin4 }}{a}after\\par}") << QStringList{"p after"};
        QTest::newRow("a destination word in the document's own group does not hide the rest")
            << QByteArray("{\\rtf1\\fonttbl kept\\par}") << QStringList{"p kept"};
        QTest::newRow("rows with another cell count start a new table")
            << QByteArray("{\\rtf1\\trowd\\cellx100\\cellx200\\intbl a\\cell b\\cell\\row"
                          "\\trowd\\cellx300\\intbl c\\cell\\row}")
            << QStringList{"t2", "r a|b", "t1", "r c"};
        QTest::newRow("a paragraph between rows ends the table")
            << QByteArray("{\\rtf1\\trowd\\cellx100\\intbl a\\cell\\row\\pard text\\par"
                          "\\trowd\\cellx100\\intbl b\\cell\\row}")
            << QStringList{"t1", "r a", "p text", "t1", "r b"};
    }

    void constructsOfRtf()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QStringList, outline);
        QCOMPARE(Read(rtf.toStdString()), outline);
    }

    void damagedRtf_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QStringList>("outline");
        QTest::newRow("empty") << QByteArray() << QStringList{};
        QTest::newRow("not rtf at all") << QByteArray("plain") << QStringList{"p plain"};
        QTest::newRow("unclosed groups") << QByteArray("{\\rtf1{\\b bold{{text") << QStringList{"p boldtext"};
        QTest::newRow("stray closing braces") << QByteArray("}}}{\\rtf1 a}}}b\\par") << QStringList{"p ab"};
        QTest::newRow("cut inside a control word") << QByteArray("{\\rtf1 a\\par b\\f") << QStringList{"p a", "p b"};
        QTest::newRow("cut inside a hex escape") << QByteArray("{\\rtf1 a\\'4") << QStringList{"p a4"};
        QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 a\\'zzb\\par}") << QStringList{"p azzb"};
        QTest::newRow("lone backslash at the end") << QByteArray("{\\rtf1 a\\") << QStringList{"p a"};
        QTest::newRow("lone surrogate") << QByteArray("{\\rtf1 \\u-10179?x\\par}")
                                        << QStringList{QString::fromUtf8("p \uFFFDx")};
        QTest::newRow("huge numbers") << QByteArray("{\\rtf1\\fs99999999999999999999 \\u99999999999 ?a\\bin-5 b\\par}")
                                      << QStringList{QString::fromUtf8("p \uFFFDab")};
        QTest::newRow("binary length beyond the end") << QByteArray("{\\rtf1 a\\bin999999 xyz") << QStringList{"p a"};
        QTest::newRow("row cut short")
            << QByteArray("{\\rtf1\\trowd\\cellx100\\cellx200\\intbl a\\cell b") << QStringList{"t2", "r a|b"};
        QTest::newRow("cells without definitions") << QByteArray("{\\rtf1\\intbl a\\cell b\\cell\\row}")
                                                   << QStringList{"t2", "r a|b"};
        QTest::newRow("damaged cell edges")
            << QByteArray("{\\rtf1\\trowd\\cellx-5\\cellx999999999999\\cellx3\\intbl a\\cell b\\cell c\\cell\\row}")
            << QStringList{"t3", "r a|b|c"};
    }

    void damagedRtf()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QStringList, outline);
        QCOMPARE(Read(rtf.toStdString()), outline);
    }

    void extremeRtfStaysBounded()
    {
        const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "y\\par}";
        QCOMPARE(Read(deep), QStringList{"p y"});

        std::string wide = "{\\rtf1\\trowd";
        for (int i = 0; i < 1000; ++i)
            wide += "\\intbl c\\cell";
        wide += "\\row}";
        QTextDocument doc;
        ReadRtf(wide, doc);
        const QTextTable* table = FirstTable(doc);
        QVERIFY(table);
        QCOMPARE(table->columns(), 63);
        QCOMPARE(doc.toPlainText().count('c'), 1000);
    }

    // Every cut of a real report, and every damaged byte of a stretch of it, reads without harm.
    void cutAndDamagedReports()
    {
        const std::string rtf = WriteToString(true, *job_);
        for (std::size_t cut = 0; cut < rtf.size(); cut += 37) {
            QTextDocument doc;
            ReadRtf(std::string_view(rtf).substr(0, cut), doc);
        }
        const char replacements[] = {'{', '}', '\\', '\'', '\0', '-'};
        for (std::size_t i = 0; i < 1500 && i < rtf.size(); i += 3) {
            std::string damaged = rtf;
            damaged[i] = replacements[i % std::size(replacements)];
            QTextDocument doc;
            ReadRtf(damaged, doc);
        }
        QTextDocument whole;
        ReadRtf(rtf, whole);
        QVERIFY(whole.toPlainText().contains("Layout 2 of 2"));
    }

    void summaryShownAndItsFileRemoved()
    {
        QTemporaryDir temp;
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        QTextEdit view;
        const bool shown = ShowResultSummary(*job_, NoPrinter(), view);
        const QStringList left = QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

        job_->Layouts.Clear();
        const bool shownWithoutResult = ShowResultSummary(*job_, NoPrinter(), view);
        qputenv("TMPDIR", oldTemp);

        QVERIFY(shown);
        QVERIFY(left.isEmpty());
        QVERIFY(!shownWithoutResult);
        QVERIFY(view.isReadOnly());
        QVERIFY(view.toPlainText().isEmpty());
    }

    void summaryTextInTheView()
    {
        QTextEdit view;
        QVERIFY(ShowResultSummary(*job_, NoPrinter(), view));
        QVERIFY(view.isReadOnly());
        QVERIFY(view.toPlainText().startsWith("Result Summary"));
        QVERIFY(view.toPlainText().contains("Total No Of Layouts"));
    }

    void draftOfALayout()
    {
        const CLayout& layout = *job_->GetLayouts().GetAt(0);
        const LayoutDraft draft = DraftOf(layout);
        QCOMPARE(draft.Coil, layout.Coil);
        QCOMPARE(draft.Kerf, 0.5);
        QCOMPARE(draft.Positions.size(), std::size_t(3));
        QCOMPARE(draft.Positions[0].Part, job_->GetPart(0));
        QVERIFY(draft.Positions[0].Rotated);
        QCOMPARE(draft.Positions[1].Part, job_->GetSlit(0));
        QVERIFY(!draft.Positions[1].Rotated);
        QCOMPARE(draft.Positions[2].Part, job_->GetFiller(0));
    }

    void layoutGeometry_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("one pixel a millimetre") << 1262;
        QTest::newRow("half a pixel a millimetre") << 637;
        QTest::newRow("narrow") << 200;
    }

    // Coil C1 of 1250 with trims 10 and 15; P1 turned to 500, S1 120, F1 50, each with a kerf of 0.5.
    void layoutGeometry()
    {
        QFETCH(int, width);
        CLayoutDrawing drawing;
        ShowFirstLayout(drawing, width);
        using K = DraftSegment::Kind;
        struct Expected {
            K kind;
            double from;
            double to;
        };
        const Expected expected[] = {
            {K::LeftTrim, 0, 10},     {K::Slit, 10, 510},      {K::Kerf, 510, 510.5},    {K::Slit, 510.5, 630.5},
            {K::Kerf, 630.5, 631},    {K::Slit, 631, 681},     {K::Kerf, 681, 681.5},    {K::Offcut, 681.5, 1235},
            {K::RightTrim, 1235, 1250},
        };
        const auto& segments = drawing.Segments();
        QCOMPARE(segments.size(), std::size(expected));
        const QRectF band = drawing.Band();
        QCOMPARE(band.left(), width - band.right());
        QVERIFY(band.width() > width - 20);
        const double scale = band.width() / 1250;
        for (std::size_t i = 0; i < segments.size(); ++i) {
            const QRectF r = drawing.SegmentRect(segments[i]);
            QCOMPARE(segments[i].kind, expected[i].kind);
            QCOMPARE(r.left(), band.left() + expected[i].from * scale);
            QCOMPARE(r.right(), band.left() + expected[i].to * scale);
            QCOMPARE(r.top(), band.top());
            QCOMPARE(r.height(), band.height());
        }
        QCOMPARE(segments[1].part, job_->GetPart(0));
        QVERIFY(segments[1].rotated);
        QCOMPARE(drawing.SegmentRect(segments.back()).right(), band.right());
    }

    void restAgainstMinOffCut_data()
    {
        QTest::addColumn<double>("rest");
        QTest::addColumn<double>("kerf");
        QTest::addColumn<int>("kind");
        using K = DraftSegment::Kind;
        QTest::newRow("exactly the minimum is an offcut") << 10.0 << 0.0 << int(K::Offcut);
        QTest::newRow("above the minimum") << 10.5 << 0.0 << int(K::Offcut);
        QTest::newRow("just below is scrap") << 9.99 << 0.0 << int(K::Scrap);
        QTest::newRow("the minimum reached through kerfs") << 10.0 << 0.1 << int(K::Offcut);
    }

    void restAgainstMinOffCut()
    {
        QFETCH(double, rest);
        QFETCH(double, kerf);
        QFETCH(int, kind);
        // 0.1 + 0.2 is not 0.3 in binary; the rest must still count as 10.
        CCoil coil("K", 100.3, "crca", 1, 1000, 1, "", 1, 0.1, 0.2);
        CCoilPart a("A", "crca", 1, 45.0 - kerf, 1, "", 0);
        CCoilPart b("B", "crca", 1, 45.0 - kerf - (rest - 10.0), 1, "", 0);
        const auto segments = DraftSegments({&coil, {{&a, false}, {&b, false}}, kerf}, 10.0);
        const auto restSegment = std::find_if(segments.begin(), segments.end(), [](const DraftSegment& s) {
            return s.kind == DraftSegment::Kind::Offcut || s.kind == DraftSegment::Kind::Scrap;
        });
        QVERIFY(restSegment != segments.end());
        QCOMPARE(int(restSegment->kind), kind);
        QVERIFY(std::abs(restSegment->Width() - rest) < 1e-9);
    }

    void fullAndOverfullCoils()
    {
        using K = DraftSegment::Kind;
        const OneSlit full(1000, 0);
        const auto exact = DraftSegments(full.Draft(), 10);
        QCOMPARE(exact.size(), std::size_t(1));
        QCOMPARE(exact[0].kind, K::Slit);

        const OneSlit over(1000, -25, 10, 10);
        CLayoutDrawing drawing;
        drawing.resize(1027, 80);
        drawing.SetDraft(over.Draft(), 10);
        const auto& segments = drawing.Segments();
        QCOMPARE(segments.size(), std::size_t(4));
        QCOMPARE(segments[1].to, 1015.0);
        QCOMPARE(segments[2].kind, K::RightTrim);
        QCOMPARE(segments[3].kind, K::Overflow);
        QCOMPARE(segments[3].from, 990.0);
        QCOMPARE(segments[3].to, 1015.0);
        // The band stretches to show the whole of what does not fit.
        const QRectF band = drawing.Band();
        QCOMPARE(drawing.SegmentRect(segments[3]).right(), band.right());
        QCOMPARE(drawing.SegmentRect(segments[2]).right(), band.left() + 1000 * band.width() / 1015);
    }

    void toolTips()
    {
        CLayoutDrawing drawing;
        ShowFirstLayout(drawing, 1262);
        const auto& s = drawing.Segments();
        const auto at = [&](std::size_t i) { return drawing.ToolTipAt(drawing.SegmentRect(s[i]).center()); };
        QCOMPARE(at(0), "Left trim\nWidth: " + Len(10));
        QCOMPARE(at(1), "P1 (rotated)\nWidth: " + Len(500) + "\nPart");
        QCOMPARE(at(2), "Kerf\nWidth: " + Len(0.5));
        QCOMPARE(at(3), "S1\nWidth: " + Len(120) + "\nSlit");
        QCOMPARE(at(5), "F1\nWidth: " + Len(50) + "\nFiller");
        QCOMPARE(at(7), "offcut\nWidth: " + Len(553.5));
        QCOMPARE(at(8), "Right trim\nWidth: " + Len(15));
        QCOMPARE(drawing.ToolTipAt(QPointF(drawing.width() / 2.0, drawing.Band().bottom() + 2)), QString());

        CCoil coil("K", 100, "crca", 1, 1000, 1, "", 1, 0, 0);
        CCoilPart part("P", "crca", 1, 96, 30, 1, "", 1, 0);
        drawing.SetDraft({&coil, {{&part, false}}, 0.0}, 10.0);
        QCOMPARE(drawing.ToolTipAt(drawing.SegmentRect(drawing.Segments().back()).center()), "scrap\nWidth: " + Len(4));

        // The widget answers a tooltip request with the same text.
        drawing.show();
        QVERIFY(QTest::qWaitForWindowExposed(&drawing));
        const QPoint pos = drawing.SegmentRect(drawing.Segments().front()).center().toPoint();
        QHelpEvent help(QEvent::ToolTip, pos, drawing.mapToGlobal(pos));
        QApplication::sendEvent(&drawing, &help);
        QTRY_COMPARE(QToolTip::text(), "P\nWidth: " + Len(96) + "\nPart");
        QToolTip::hideText();
    }

    void emptyLayouts()
    {
        using K = DraftSegment::Kind;
        CLayoutDrawing drawing;
        drawing.resize(drawing.sizeHint());
        QVERIFY(drawing.Segments().empty());
        QCOMPARE(drawing.ToolTipAt(drawing.Band().center()), QString());
        QVERIFY(!drawing.grab().isNull());

        // A coil with nothing cut: all of its usable width is left.
        const CCoil* coil = job_->GetCoil(0);
        drawing.SetDraft({coil, {}, 0.5}, 10.0);
        QCOMPARE(drawing.Segments().size(), std::size_t(3));
        QCOMPARE(drawing.Segments()[1].kind, K::Offcut);
        QCOMPARE(drawing.Segments()[1].Width(), 1225.0);
        QVERIFY(!drawing.grab().isNull());

        drawing.Clear();
        QVERIFY(drawing.Segments().empty());
        CCoil flat("K", 0, "crca", 1, 1000, 1, "", 1, 0, 0);
        drawing.SetDraft({&flat, {{job_->GetPart(0), false}}, 0.0}, 10.0);
        QVERIFY(drawing.Segments().empty());
        drawing.SetDraft({}, 10.0);
        QVERIFY(drawing.Segments().empty());

        const QSize minimum = drawing.minimumSizeHint();
        QVERIFY(minimum.height() >= 2 * drawing.fontMetrics().height());
        QVERIFY(drawing.sizeHint().height() >= minimum.height());
        QVERIFY(drawing.sizeHint().width() >= minimum.width());
    }

    // Labels that cannot fit leave their piece readable through its tooltip, down to the smallest size.
    void paintsAtAnySize()
    {
        CLayoutDrawing drawing;
        ShowFirstLayout(drawing, 60);
        for (const QSize size : {QSize(1, 1), QSize(60, 20), drawing.minimumSizeHint(), QSize(2000, 300)}) {
            drawing.resize(size);
            QVERIFY(!drawing.grab().isNull());
            QVERIFY(!drawing.ToolTipAt(drawing.SegmentRect(drawing.Segments()[3]).center()).isEmpty());
        }
    }
};

QTEST_MAIN(ResultWidgetsTest)
#include "resultwidgets_test.moc"
