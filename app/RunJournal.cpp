#include "RunJournal.h"

#include "Acquisition.h"
#include "SystemReason.h"
#include "TipsBar.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

QString trJournal(const char* sourceText) {
    return QCoreApplication::translate("RunJournal", sourceText);
}

} // namespace

RunJournal::RunJournal(const Acquisition* acquisition, QString path, TipsBar* tips, QWidget* window)
    : QObject(window), path(std::move(path)), tips(tips), window(window) {
    connect(acquisition, &Acquisition::runStarted, this, &RunJournal::begin);
    connect(acquisition, &Acquisition::sampleRecorded, this, &RunJournal::append);
    connect(acquisition, &Acquisition::runningChanged, this, &RunJournal::pause);
    connect(acquisition, &Acquisition::runEnded, this, [this] { writer.finish(); });
}

// Closing the program is not the end of a run: a run still going (or paused by a lost
// meter) is offered at the next start, as after a crash, so a stray close loses nothing.
RunJournal::~RunJournal() {
    writer.close();
}

void RunJournal::begin(qint64 startSecs) {
    const bool wasOff = off;
    off = !writer.begin(path, startSecs);
    if (off || wasOff)
        showTips();
}

void RunJournal::append(qint64 epochSecs, const SampleStore::Values& values) {
    if (writer.isWriting() && !writer.append(epochSecs, values))
        reportStop();
}

void RunJournal::pause(bool running) {
    if (!running)
        writer.sync();
}

void RunJournal::showTips() {
    if (!off) {
        tips->end(TipsBar::Cause::JournalOff);
        return;
    }
    tips->raise(TipsBar::Cause::JournalOff, [this] {
        return trJournal("记录日志已关闭（%1），本次记录只保存在内存中")
            .arg(SystemReason::translated(writer.errorString()));
    });
}

// The disk filled (or failed) in the middle of a run: said once, without stopping the
// acquisition.
void RunJournal::reportStop() {
    off = true;
    showTips();
    auto* box =
        new QMessageBox(QMessageBox::Warning, trJournal("记录日志"),
                        trJournal("记录日志写入失败（%1），已停止写入。本次记录仍在内存中继续。")
                            .arg(SystemReason::translated(writer.errorString())),
                        QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
