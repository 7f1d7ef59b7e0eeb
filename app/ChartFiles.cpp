// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFiles.h"

#include "Acquisition.h"
#include "CsvReader.h"
#include "MainTr.h"
#include "Setting.h"
#include "SettingKeys.h"
#include "SystemReason.h"
#include "TipsBar.h"
#include "saveDataDeal.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr char proposedImageName[] = "chart";
constexpr char defaultImageFormat[] = "png";
constexpr int bytesPerMegabyte = 1 << 20;

QString askSave(QWidget* parent, const ChartFiles::FileQuestion& q) {
    return QFileDialog::getSaveFileName(parent, q.caption, q.directory, q.filter, nullptr,
                                        q.options);
}

QString askOpen(QWidget* parent, const ChartFiles::FileQuestion& q) {
    return QFileDialog::getOpenFileName(parent, q.caption, q.directory, q.filter, nullptr,
                                        q.options);
}

QString folderKey() {
    return QString::fromLatin1(SettingKey::dataFolder);
}

// Where the last data file was, else the documents folder: the program's own folder is
// not the user's to write once installed.
QString startFolder() {
    const QString last = Setting().readValue(folderKey());
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// Index of the first record after the file's last one; all of them when the file holds
// none of ours.
int firstNewRecord(const SampleStore& records, const QString& fileName) {
    qint64 lastSecs = 0;
    if (!CsvReader::lastRecordTime(fileName, lastSecs))
        return 0;
    return records.lowerBound(lastSecs + 1);
}

QString readFailure(const CsvReadResult& result) {
    switch (result.status) {
    case CsvReadResult::TooLarge:
        return trMain("文件大于 %1 MB").arg(CsvReader::maxFileBytes / bytesPerMegabyte);
    case CsvReadResult::NoRecords:
        return trMain("文件中没有可读的记录");
    case CsvReadResult::NotAFile:
        return trMain("不是普通文件");
    default:
        return SystemReason::translated(result.error);
    }
}

// A picture named without a suffix is saved as PNG under the name as given.
bool writeImage(const QImage& image, const QString& fileName, QString& error) {
    const bool existed = QFileInfo::exists(fileName);
    QImageWriter writer(fileName);
    if (QFileInfo(fileName).suffix().isEmpty())
        writer.setFormat(defaultImageFormat);
    if (writer.write(image))
        return true;
    error = SystemReason::translated(writer.errorString());
    if (!existed)
        QFile::remove(fileName);
    return false;
}

} // namespace

ChartFiles::ChartFiles(QWidget* window, Acquisition* acquisition, TipsBar* tips, QObject* parent)
    : QObject(parent), window(window), acquisition(acquisition), tips(tips), askSaveName(askSave),
      askOpenName(askOpen) {}

void ChartFiles::setFileDialogs(AskFileName save, AskFileName open) {
    askSaveName = std::move(save);
    askOpenName = std::move(open);
}

ChartFiles::FileQuestion ChartFiles::csvQuestion(const QString& caption) const {
    return {caption, startFolder(), trMain("Files (*.csv)")};
}

bool ChartFiles::exportData() {
    // The dialogs below run their own event loops, where a meter may connect and start a
    // fresh run: the records are taken now.
    const SampleStore records = acquisition->log();
    if (records.size() < enoughRecords)
        QMessageBox::information(window, trMain("提示信息"),
                                 trMain("数据太少了吧，请记录至少二十条数据。"));
    if (!saveRecords(records, {0, records.size()}) || lastFileHolds < records.size())
        return false;
    emit dataExported();
    return true;
}

void ChartFiles::exportStretch(qint64 fromMs, qint64 toMs) {
    const SampleStore records = acquisition->log();
    saveRecords(records, RangeStatistics::recordsIn(records, fromMs, toMs));
}

bool ChartFiles::saveRecords(const SampleStore& records, RecordSpan span) {
    // Our own question replaces the dialog's "replace?": the file is appended to.
    FileQuestion question = csvQuestion(trMain("Excel file"));
    question.options = QFileDialog::DontConfirmOverwrite;
    const QString fileName = askSaveName(window, question);
    return !fileName.isEmpty() && writeData(records, span, fileName);
}

bool ChartFiles::confirmAppend(const QString& fileName) {
    QMessageBox box(
        QMessageBox::Question, trMain("文件已存在"),
        trMain("%1 已存在。要把新的记录追加到这个文件末尾吗？").arg(QFileInfo(fileName).fileName()),
        QMessageBox::NoButton, window);
    QPushButton* append = box.addButton(trMain("追加"), QMessageBox::AcceptRole);
    box.addButton(trMain("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(append);
    box.exec();
    return box.clickedButton() == append;
}

bool ChartFiles::writeData(const SampleStore& records, RecordSpan span, const QString& fileName) {
    const bool exists = QFileInfo::exists(fileName);
    if (exists && !confirmAppend(fileName))
        return false;
    if (exists)
        span.first = std::max(span.first, firstNewRecord(records, fileName));
    const CsvWriteResult result = saveDataDeal::saveData(records, fileName, span);
    if (!result.ok) {
        warn(trMain("保存失败"), trMain("无法写入文件 %1：%2"), fileName,
             SystemReason::translated(result.error));
        return false;
    }
    rememberFolder(fileName);
    noteWritten(records, span, fileName);
    const QString name = QFileInfo(fileName).fileName();
    const int rows = std::max(span.last - span.first, 0);
    tips->note([name, rows, exists] {
        return (exists ? trMain("已向 %1 追加 %2 行") : trMain("已保存 %1：%2 行"))
            .arg(name, QString::number(rows));
    });
    return true;
}

void ChartFiles::noteWritten(const SampleStore& records, RecordSpan span, const QString& fileName) {
    lastFileHolds = 0;
    if (records.size() == 0)
        return;
    const QString file = QFileInfo(fileName).absoluteFilePath();
    const bool continuesPrefix =
        span.first == 0 || (written.file == file && written.firstSecs == records.timeAt(0) &&
                            written.records >= span.first);
    if (!continuesPrefix)
        return;
    written = {file, records.timeAt(0), std::max(span.last, span.first)};
    lastFileHolds = written.records;
}

void ChartFiles::rememberFolder(const QString& fileName) {
    Setting().writeValue(folderKey(), QFileInfo(fileName).absolutePath());
}

void ChartFiles::exportImage(QWidget* chartView) {
    const QImage image = chartView->grab().toImage();
    const QString fileName =
        askSaveName(window, {trMain("Save File"), QDir(startFolder()).filePath(proposedImageName),
                             trMain("image(*.png)")});
    if (fileName.isEmpty())
        return;
    QString error;
    if (writeImage(image, fileName, error))
        rememberFolder(fileName);
    else
        warn(trMain("保存失败"), trMain("无法写入文件 %1：%2"), fileName, error);
}

void ChartFiles::openDataFromDialog() {
    const QString fileName = askOpenName(window, csvQuestion(trMain("打开数据(.csv)")));
    if (!fileName.isEmpty())
        openData(fileName);
}

bool ChartFiles::openData(const QString& fileName) {
    SampleStore recording;
    const CsvReadResult result = CsvReader::read(fileName, recording);
    if (result.status != CsvReadResult::Ok) {
        warn(trMain("打开文件失败"), trMain("无法打开文件 %1：%2"), fileName, readFailure(result));
        return false;
    }
    if (mayReplace && !mayReplace())
        return false;
    acquisition->openRecording(std::move(recording));
    rememberFolder(fileName);
    // One arg() for all: a '%' in the name must not be taken for a place to fill.
    const QString name = QFileInfo(fileName).fileName();
    tips->note([name, result] {
        QString text =
            trMain("已打开 %1：%2 条记录，跳过 %3 行")
                .arg(name, QString::number(result.records), QString::number(result.skipped));
        if (result.reordered > 0)
            text += trMain("，%1 行不按时间顺序，已排序").arg(result.reordered);
        if (result.repeated > 0)
            text += trMain("，%1 行与上一行同一秒").arg(result.repeated);
        return text;
    });
    emit recordingOpened();
    return true;
}

void ChartFiles::warn(const QString& title, const QString& what, const QString& fileName,
                      const QString& reason) {
    QMessageBox::warning(window, title, what.arg(QDir::toNativeSeparators(fileName), reason));
}
