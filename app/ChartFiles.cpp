#include "ChartFiles.h"

#include "Acquisition.h"
#include "CsvReader.h"
#include "MainTr.h"
#include "TipsBar.h"
#include "saveDataDeal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
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

ChartFiles::ChartFiles(QWidget* window, Acquisition* acquisition, TipsBar* tips, QObject* parent)
    : QObject(parent), window(window), acquisition(acquisition), tips(tips), askSaveName(askSave),
      askOpenName(askOpen) {}

void ChartFiles::setFileDialogs(AskFileName save, AskFileName open) {
    askSaveName = std::move(save);
    askOpenName = std::move(open);
}

void ChartFiles::exportData() {
    if (acquisition->log().size() < enoughRecords)
        QMessageBox::information(window, trMain("提示信息"),
                                 trMain("数据太少了吧，请记录至少二十条数据。"));
    const QString fileName = askSaveName(window, csvQuestion(trMain("Excel file")));
    if (fileName.isEmpty())
        return;
    const CsvWriteResult result = saveDataDeal::saveData(acquisition->log(), fileName);
    if (!result.ok)
        warn(trMain("保存失败"), trMain("无法写入文件 %1：%2"), fileName, result.error);
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
    acquisition->openRecording(std::move(recording));
    const QString name = QFileInfo(fileName).fileName();
    tips->note([name, result] {
        return trMain("已打开 %1：%2 条记录，跳过 %3 行")
            .arg(name)
            .arg(result.records)
            .arg(result.skipped);
    });
    emit recordingOpened();
    return true;
}

void ChartFiles::warn(const QString& title, const QString& what, const QString& fileName,
                      const QString& reason) {
    QMessageBox::warning(window, title, what.arg(QDir::toNativeSeparators(fileName), reason));
}
