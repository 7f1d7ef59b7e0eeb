#include "ChartFiles.h"

#include "Acquisition.h"
#include "CsvReader.h"
#include "MainTr.h"
#include "RangeStatistics.h"
#include "saveDataDeal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QLabel>
#include <QMessageBox>

namespace {

constexpr char proposedImageName[] = "chart";
constexpr char defaultImageFormat[] = "png";
constexpr int bytesPerMegabyte = 1 << 20;

QString askSave(QWidget* parent, const ChartFiles::FileQuestion& q) {
    return QFileDialog::getSaveFileName(parent, q.caption, q.directory, q.filter);
}

QString askOpen(QWidget* parent, const ChartFiles::FileQuestion& q) {
    return QFileDialog::getOpenFileName(parent, q.caption, q.directory, q.filter);
}

ChartFiles::FileQuestion csvQuestion(const QString& caption) {
    return {caption, QCoreApplication::applicationDirPath(), trMain("Files (*.csv)")};
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
        return result.error;
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
    error = writer.errorString();
    if (!existed)
        QFile::remove(fileName);
    return false;
}

} // namespace

ChartFiles::ChartFiles(QWidget* window, Acquisition* acquisition, QLabel* tips, QObject* parent)
    : QObject(parent), window(window), acquisition(acquisition), tips(tips), askSaveName(askSave),
      askOpenName(askOpen) {}

void ChartFiles::setFileDialogs(AskFileName save, AskFileName open) {
    askSaveName = std::move(save);
    askOpenName = std::move(open);
}

bool ChartFiles::exportData() {
    if (acquisition->log().size() < enoughRecords)
        QMessageBox::information(window, trMain("提示信息"),
                                 trMain("数据太少了吧，请记录至少二十条数据。"));
    if (!saveRecords(0, acquisition->log().size()))
        return false;
    emit dataExported();
    return true;
}

void ChartFiles::exportStretch(qint64 fromMs, qint64 toMs) {
    const RecordSpan span = RangeStatistics::recordsIn(acquisition->log(), fromMs, toMs);
    saveRecords(span.first, span.last);
}

bool ChartFiles::saveRecords(int first, int last) {
    const QString fileName = askSaveName(window, csvQuestion(trMain("Excel file")));
    if (fileName.isEmpty())
        return false;
    const CsvWriteResult result =
        saveDataDeal::saveData(acquisition->log(), fileName, {first, last});
    if (!result.ok) {
        warn(trMain("保存失败"), trMain("无法写入文件 %1：%2"), fileName, result.error);
        return false;
    }
    return true;
}

void ChartFiles::exportImage(QWidget* chartView) {
    const QImage image = chartView->grab().toImage();
    const QString fileName =
        askSaveName(window, {trMain("Save File"), QString::fromLatin1(proposedImageName),
                             trMain("image(*.png)")});
    if (fileName.isEmpty())
        return;
    QString error;
    if (!writeImage(image, fileName, error))
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
    QString text = trMain("已打开 %1：%2 条记录，跳过 %3 行")
                       .arg(QFileInfo(fileName).fileName())
                       .arg(result.records)
                       .arg(result.skipped);
    if (result.reordered > 0)
        text += trMain("，%1 行不按时间顺序，已排序").arg(result.reordered);
    if (result.repeated > 0)
        text += trMain("，%1 行与上一行同一秒").arg(result.repeated);
    tips->setText(text);
    emit recordingOpened();
    return true;
}

void ChartFiles::warn(const QString& title, const QString& what, const QString& fileName,
                      const QString& reason) {
    QMessageBox::warning(window, title, what.arg(QDir::toNativeSeparators(fileName), reason));
}
