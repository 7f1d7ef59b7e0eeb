#include "RecoveryOffer.h"

#include "JournalReader.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString trJournal(const char* sourceText) {
    return QCoreApplication::translate("RunJournal", sourceText);
}

bool userOpens(const JournalContents& journal, QWidget* parent) {
    const SampleStore& samples = journal.samples;
    const QString started = QDateTime::fromSecsSinceEpoch(samples.timeAt(0))
                                .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QMessageBox box(
        QMessageBox::Question, trJournal("恢复记录"),
        trJournal("上次的记录没有正常结束（始于 %1，共 %2 条数据）。打开这份记录，还是丢弃？")
            .arg(started)
            .arg(samples.size()),
        QMessageBox::NoButton, parent);
    QPushButton* open = box.addButton(trJournal("打开记录"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(trJournal("丢弃"), QMessageBox::DestructiveRole);
    box.setDefaultButton(open);
    box.setEscapeButton(open);
    box.exec();
    // Only an explicit choice throws the recording away; closing the box keeps it.
    return box.clickedButton() != discard;
}

} // namespace

std::optional<SampleStore> offerUnfinishedRun(const QString& journalPath, QWidget* parent) {
    JournalContents journal = readJournal(journalPath);
    if (journal.status != JournalContents::Status::Ok || journal.clean || journal.samples.isEmpty())
        return std::nullopt;
    if (userOpens(journal, parent))
        return std::move(journal.samples);
    QFile::remove(journalPath);
    return std::nullopt;
}
