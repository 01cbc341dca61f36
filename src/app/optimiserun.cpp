#include "app/optimiserun.h"

#include "app/strings.h"
#include "model/vellicordoc.h"
#include "platform/stringids.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <exception>
#include <new>
#include <thread>

namespace vellicor {

MessageAnswer DeferredMessages::Show(int stringId, const std::vector<std::string>& args, MessageButtons buttons,
                                     MessageIcon icon)
{
    std::lock_guard lock(mutex_);
    messages_.push_back({stringId, args, buttons, icon});
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void DeferredMessages::ShowAll(IUserMessages& to)
{
    std::vector<Message> pending;
    {
        std::lock_guard lock(mutex_);
        pending.swap(messages_);
    }
    for (const Message& m : pending)
        to.Show(m.id, m.args, m.buttons, m.icon);
}

void COptimiseRun::Execute()
{
    // An exception may leave half a result behind; the rest of the job stays as it was.
    try {
        Optimise(doc_, messages_, this, {engine_, &stop_});
        return;
    } catch (const COptimiseError& e) {
        messages_.Tell(e.MessageId, e.Args, MessageIcon::Error);
    } catch (const std::bad_alloc&) {
        messages_.Tell(ids::OutOfMemory, {}, MessageIcon::Error);
    } catch (const std::exception& e) {
        messages_.Tell(ids::UnexpectedError, {e.what()}, MessageIcon::Error);
    }
    doc_.Layouts.Clear();
}

bool COptimiseRun::BeforeGroup(int group, int groups, const std::string& key)
{
    position_ = {group, groups, key, 0, 0};
    if (onProgress_)
        onProgress_(position_);
    return !Cancelled();
}

void COptimiseRun::Pass(int pass, std::size_t poolSize)
{
    position_.Pass = pass;
    position_.PoolSize = poolSize;
    if (onProgress_)
        onProgress_(position_);
}

namespace {

QString ProgressLabel(const CRunPosition& at)
{
    const QString key = QString::fromStdString(at.Key);
    if (at.Pass == 0)
        return Text(ids::OptimiseGroup).arg(key).arg(at.Group + 1).arg(at.Groups);
    return Text(ids::OptimisePass)
        .arg(key)
        .arg(at.Group + 1)
        .arg(at.Groups)
        .arg(at.Pass)
        .arg(static_cast<qulonglong>(at.PoolSize));
}

} // namespace

EOptimiseEnd OptimiseWithProgress(QWidget* parent, CVellicorDoc& doc, IUserMessages& messages,
                                  EOptimiserEngine engine)
{
    auto* dialog = new QProgressDialog(Text(ids::OptimiseStarting), Text(ids::OptimiseCancel), 0, 0, parent);
    dialog->setWindowTitle(Text(ids::AppName));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);

    QEventLoop loop;
    // A progress call still queued when the dialog goes is dropped with it.
    COptimiseRun run(doc, [dialog](const CRunPosition& at) {
        const QString label = ProgressLabel(at);
        QMetaObject::invokeMethod(dialog, [dialog, label, at] {
            dialog->setMaximum(at.Groups);
            dialog->setValue(at.Group);
            dialog->setLabelText(label);
        }, Qt::QueuedConnection);
    }, engine);
    // The Cancel button, the close box and Escape all stop the run; the loop goes on until the
    // worker has seen it, which takes a fraction of a second.
    QObject::connect(dialog, &QProgressDialog::canceled, dialog, [&run] { run.Cancel(); });
    QObject::connect(dialog, &QDialog::rejected, dialog, [&run] { run.Cancel(); });

    std::thread worker([&run, &loop] {
        run.Execute();
        QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    dialog->open();
    loop.exec();
    worker.join(); // it has finished: the loop ends only on its word
    delete dialog;
    // The window the keys went to before takes them again, also where no window manager hands the
    // activation back.
    if (parent)
        parent->window()->activateWindow();

    if (run.Cancelled()) {
        doc.Layouts.Clear();
        messages.Tell(ids::OptimiseCancelled);
        return EOptimiseEnd::Cancelled;
    }
    run.Messages().ShowAll(messages);
    if (doc.HasResults())
        return EOptimiseEnd::Result;
    messages.Tell(ids::CouldNotOptimise);
    return EOptimiseEnd::NoResult;
}

} // namespace vellicor
