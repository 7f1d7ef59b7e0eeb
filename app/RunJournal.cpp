// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunJournal.h"

#include "Acquisition.h"
#include "ChartFiles.h"
#include "RecoveryOffer.h"
#include "ReplaceQuestion.h"
#include "SystemReason.h"
#include "TipsBar.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

QString trJournal(const char* sourceText) {
    return QCoreApplication::translate("RunJournal", sourceText);
}

} // namespace

RunJournal::RunJournal(Acquisition* acquisition, QString folder, TipsBar* tips, QWidget* window)
    : QObject(window), acquisition(acquisition), folder(std::move(folder)), tips(tips),
      window(window) {
    connect(acquisition, &Acquisition::runStarted, this, &RunJournal::begin);
    connect(acquisition, &Acquisition::sampleRecorded, this, &RunJournal::append);
    connect(acquisition, &Acquisition::runningChanged, this, &RunJournal::pause);
    connect(acquisition, &Acquisition::runEnded, this, [this] { writer.finish(); });
}

// Closing the program is not the end of a recording: one not saved (running, paused by a
// lost meter, or stopped) is offered at the next start, as after a crash, and so is the
// previous one, so a stray close loses nothing.
RunJournal::~RunJournal() {
    writer.close();
    if (unsaved)
        current.release();
    else
        current.discard();
    previous.release();
}

void RunJournal::follow(ChartFiles* files) {
    connect(files, &ChartFiles::dataExported, this, &RunJournal::logSaved);
    connect(files, &ChartFiles::recordingOpened, this, &RunJournal::retireCurrent);
    files->setReplaceGuard([this, files] { return mayReplace(files); });
}

void RunJournal::showRecovered(RecoveredRun&& run) {
    acquisition->openRecording(std::move(run.samples));
    retireCurrent();
    current = std::move(run.journal);
    unsaved = true;
}

bool RunJournal::openPrevious() {
    JournalContents contents = readJournal(previous.path());
    if (contents.status != JournalContents::Status::Ok)
        return false;
    HeldJournal replaced = std::move(current);
    const bool replacedUnsaved = unsaved;
    acquisition->openRecording(std::move(contents.samples));
    current = std::move(previous);
    unsaved = true;
    if (replacedUnsaved)
        previous = std::move(replaced);
    else
        replaced.discard();
    return true;
}

void RunJournal::noteNewerVersionKept() {
    tips->note([] { return trJournal("较新版本留下的记录已原样保留，本次记录另存"); });
}

// Run starts a fresh recording; the one it replaces stays as the previous recording.
void RunJournal::begin(qint64 startSecs) {
    retireCurrent();
    current = JournalFolder::holdNew(folder, startSecs, offReason);
    const bool wasOff = off;
    off = !current.isHeld() || !writer.begin(current.path(), startSecs);
    if (off && current.isHeld())
        offReason = writer.errorString();
    if (off || wasOff)
        showTips();
}

void RunJournal::append(qint64 epochSecs, const SampleStore::Values& values) {
    unsaved = true;
    if (writer.isWriting() && !writer.append(epochSecs, values))
        reportStop();
}

void RunJournal::pause(bool running) {
    if (!running)
        writer.sync();
}

// The whole log is in a file now. A run still going keeps its journal for the samples to come.
void RunJournal::logSaved() {
    unsaved = false;
    if (acquisition->isRunning() || !current.isHeld())
        return;
    writer.close();
    JournalWriter::markSaved(current.path());
    current.discard();
}

// The log's recording is being replaced: unsaved, it becomes the previous recording (and
// the one before it goes); saved or empty, its journal goes.
void RunJournal::retireCurrent() {
    writer.close();
    if (unsaved && current.isHeld()) {
        previous.discard();
        previous = std::move(current);
    } else {
        current.discard();
    }
    unsaved = false;
}

bool RunJournal::mayReplace(ChartFiles* files) {
    if (!unsaved)
        return true;
    switch (askReplaceUnsaved(window, acquisition->log().size())) {
    case ReplaceAnswer::SaveFirst:
        return files->exportData();
    case ReplaceAnswer::Replace:
        return true;
    case ReplaceAnswer::Cancel:
        break;
    }
    return false;
}

void RunJournal::showTips() {
    if (!off) {
        tips->end(TipsBar::Cause::JournalOff);
        return;
    }
    tips->raise(TipsBar::Cause::JournalOff, [this] {
        return trJournal("记录日志已关闭（%1），本次记录只保存在内存中")
            .arg(SystemReason::translated(offReason));
    });
}

// The disk filled (or failed) in the middle of a run: said once, without stopping the
// acquisition.
void RunJournal::reportStop() {
    off = true;
    offReason = writer.errorString();
    showTips();
    auto* box =
        new QMessageBox(QMessageBox::Warning, trJournal("记录日志"),
                        trJournal("记录日志写入失败（%1），已停止写入。本次记录仍在内存中继续。")
                            .arg(SystemReason::translated(offReason)),
                        QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
