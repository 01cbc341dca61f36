#include "app/optimiserun.h"
#include "app/strings.h"
#include "model/vellicordoc.h"
#include "platform/stringids.h"
#include "support/recordingmessages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <new>

using namespace vellicor;

namespace {

// One group of `widths` different slit widths between 40 and 420 mm on three coil widths: a run
// of a few seconds.
void FillOneGroup(CVellicorDoc& doc, int widths)
{
    const double stock[] = {1250.0, 1000.0, 1520.0};
    for (int i = 0; i < 3; ++i)
        doc.AddCoil(std::make_unique<CCoil>("C" + std::to_string(i + 1), stock[i], "st37", 1.0, 6000.0, 8, "",
                                            1.0 + 0.05 * i, 5.0, 5.0));
    for (int i = 0; i < widths; ++i)
        doc.AddSlit(std::make_unique<CCoilPart>("S" + std::to_string(i + 1), "st37", 1.0, 40.0 + 9.5 * i,
                                                300.0 + 97.0 * i, "", 0));
}

// Tells whether a progress dialog was still on the screen when a message came.
class MessagesAfterTheDialog : public test::RecordingMessages {
public:
    explicit MessagesAfterTheDialog(QWidget& window) : window_(window) {}

    MessageAnswer Show(int stringId, const std::vector<std::string>& args, MessageButtons buttons,
                       MessageIcon icon) override
    {
        for (auto* dialog : window_.findChildren<QProgressDialog*>())
            dialogShown = dialogShown || dialog->isVisible();
        return RecordingMessages::Show(stringId, args, buttons, icon);
    }

    bool dialogShown = false;

private:
    QWidget& window_;
};

} // namespace

class OptimiseRunTest : public QObject {
    Q_OBJECT

private slots:
    void cancelStopsAOneGroupRunAtOnce()
    {
        QWidget window;
        window.show();
        CVellicorDoc doc;
        FillOneGroup(doc, 40);
        MessagesAfterTheDialog messages(window);

        QElapsedTimer sinceCancel;
        QTimer::singleShot(300, &window, [&] {
            auto* dialog = window.findChild<QProgressDialog*>();
            QVERIFY(dialog);
            sinceCancel.start();
            dialog->findChild<QPushButton*>()->click();
        });
        // The window goes on handling events while the run stops.
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(20);

        QCOMPARE(OptimiseWithProgress(&window, doc, messages, EOptimiserEngine::Compatible), EOptimiseEnd::Cancelled);
        QVERIFY(sinceCancel.isValid());
        QVERIFY2(sinceCancel.elapsed() < 500, qPrintable(QString::number(sinceCancel.elapsed())));
        QVERIFY(ticks > 5);
        QVERIFY(!doc.HasResults());
        QCOMPARE(messages.Ids(), std::vector<int>{ids::OptimiseCancelled});
        QVERIFY(!messages.dialogShown);
    }

    void theDialogIsGoneBeforeTheMessages()
    {
        QWidget window;
        window.show();
        CVellicorDoc doc;
        doc.AddCoil(std::make_unique<CCoil>("C1", 1000, "st37", 1.0, 6000.0, 1, "", 1.0, 0.0, 0.0));
        doc.AddSlit(std::make_unique<CCoilPart>("S1", "st37", 1.0, 1200.0, 500.0, "", 0));
        MessagesAfterTheDialog messages(window);

        QCOMPARE(OptimiseWithProgress(&window, doc, messages, EOptimiserEngine::Compatible), EOptimiseEnd::NoResult);
        QCOMPARE(messages.Ids(), (std::vector<int>{ids::GroupNoCoilWideEnough, ids::CouldNotOptimise}));
        QVERIFY(!messages.dialogShown);
        QVERIFY(window.findChildren<QProgressDialog*>().isEmpty());
    }

    void aFailureOnTheWorkerIsToldAndTheJobKept()
    {
        CVellicorDoc doc;
        FillOneGroup(doc, 3);
        COptimiseRun run(doc, [](const CRunPosition& at) {
            if (at.Pass == 2)
                throw std::bad_alloc();
        }, EOptimiserEngine::Compatible);
        run.Execute();
        test::RecordingMessages messages;
        run.Messages().ShowAll(messages);

        QCOMPARE(messages.Ids(), std::vector<int>{ids::OutOfMemoryInGroup});
        QCOMPARE(messages.shown[0].args, std::vector<std::string>{"st37-1"});
        QVERIFY(!doc.HasResults());
        QCOMPARE(doc.GetCoilCount(), 3);
        QCOMPARE(doc.GetSlitCount(), 3);
    }
};

QTEST_MAIN(OptimiseRunTest)
#include "optimiserun_test.moc"
