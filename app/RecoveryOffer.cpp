// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryOffer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString trJournal(const char* sourceText) {
    return QCoreApplication::translate("RunJournal", sourceText);
}

QString question(const JournalContents& journal) {
    const char* text =
        journal.state == JournalContents::RunState::Stopped
            ? "上次的记录已停止，但没有保存（始于 %1，共 %2 条数据）。打开这份记录，还是丢弃？"
            : "上次的记录没有正常结束（始于 %1，共 %2 条数据）。打开这份记录，还是丢弃？";
    const QString started = QDateTime::fromSecsSinceEpoch(journal.samples.timeAt(0))
                                .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return trJournal(text).arg(started).arg(journal.samples.size());
}

bool userOpens(const JournalContents& journal, QWidget* parent) {
    QMessageBox box(QMessageBox::Question, trJournal("恢复记录"), question(journal),
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("recoveryOffer"));
    QPushButton* open = box.addButton(trJournal("打开记录"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(trJournal("丢弃"), QMessageBox::DestructiveRole);
    box.setDefaultButton(open);
    box.setEscapeButton(open);
    box.exec();
    // Only an explicit choice throws the recording away; closing the box keeps it.
    return box.clickedButton() != discard;
}

} // namespace

RecoveryOutcome offerUnsavedRuns(const QString& folder, QWidget* parent) {
    JournalFolder::Scan scan = JournalFolder::takeUnsaved(folder);
    RecoveryOutcome outcome;
    outcome.newerVersionKept = scan.newerVersions > 0;
    for (JournalFolder::Found& found : scan.unsaved) {
        if (userOpens(found.contents, parent)) {
            outcome.opened =
                RecoveredRun{std::move(found.contents.samples), std::move(found.journal)};
            break;
        }
        found.journal.discard();
    }
    return outcome;
}
