#include "ui/pages/sheet.h"

#include "ui/grid/gridwnd.h"
#include "ui/pages/page.h"

#include <QFile>
#include <QIcon>
#include <QKeySequence>
#include <QShortcut>
#include <QTabBar>

#include <utility>

// The tab images are compiled into this static library; its resources must be registered by hand.
static void InitUiResources()
{
    Q_INIT_RESOURCE(ui);
}

namespace vellicor {

CSSheet::CSSheet(QWidget* parent) : QTabWidget(parent)
{
    static const bool registered = (InitUiResources(), true);
    Q_UNUSED(registered);
    setUsesScrollButtons(true);
    QFont font = tabBar()->font();
    font.setBold(true);
    tabBar()->setFont(font);
    connect(this, &QTabWidget::currentChanged, this, &CSSheet::OnCurrentChanged);
    // Shortcuts, so that the pages change from inside a grid and from an open cell editor too.
    const std::pair<QKeySequence, int> steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},           {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},            {QKeySequence(Qt::CTRL | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
    };
    for (const auto& [keys, step] : steps) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] {
            if (count() > 1)
                SetActivePage((currentIndex() + step + count()) % count());
        });
    }
}

void CSSheet::AddPage(CSPage* page)
{
    connect(page, &CSPage::DocumentChanged, this, &CSSheet::DocumentChanged);
    connect(page, &CSPage::Edited, this, &CSSheet::Edited);
    const int index = count();
    const QString image = QString(":/ui/tab%1.svg").arg(index);
    addTab(page, QFile::exists(image) ? QIcon(image) : QIcon(), page->GetCaption());
    setTabToolTip(index, page->GetTabTip());
}

CSPage* CSSheet::GetPage(int index) const
{
    return static_cast<CSPage*>(widget(index));
}

CSPage* CSSheet::GetActivePage() const
{
    return active_ >= 0 ? GetPage(active_) : nullptr;
}

bool CSSheet::SetActivePage(int index)
{
    setCurrentIndex(index);
    return currentIndex() == index;
}

void CSSheet::OnCurrentChanged(int index)
{
    if (reverting_)
        return;
    if (active_ >= 0 && active_ != index && !GetPage(active_)->OnKillActive()) {
        reverting_ = true;
        setCurrentIndex(active_);
        reverting_ = false;
        return;
    }
    active_ = index;
    if (index < 0)
        return;
    CSPage* page = GetPage(index);
    page->OnSetActive();
    // Typing goes on in the page's current cell. A grid made just now shows only once its layout
    // has run, which is queued.
    if (CSGridWnd* grid = page->GetGrid()) {
        if (grid->isVisible())
            grid->setFocus();
        else
            QMetaObject::invokeMethod(grid, qOverload<>(&QWidget::setFocus), Qt::QueuedConnection);
    }
}

} // namespace vellicor
