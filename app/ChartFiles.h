#pragma once

#include <QObject>
#include <QString>

#include <functional>

class Acquisition;
class TipsBar;
class QWidget;

// The chart's files: the sample log exported as CSV or a recording opened again from one,
// and the chart view saved as a picture. A file that cannot be written or read is reported
// with a warning box naming it and the reason; success stays silent.
class ChartFiles : public QObject {
    Q_OBJECT
public:
    struct FileQuestion {
        QString caption, directory, filter;
    };
    // Asks the user for a file name; an empty answer means cancelled.
    using AskFileName = std::function<QString(QWidget* parent, const FileQuestion& question)>;

    // Exports with fewer records remind the user to record more first.
    static constexpr int enoughRecords = 20;

    ChartFiles(QWidget* window, Acquisition* acquisition, TipsBar* tips, QObject* parent);
    // The standard file dialogs unless replaced.
    void setFileDialogs(AskFileName save, AskFileName open);

    void exportData();
    // The picture is taken before the dialog opens: the chart as it was when asked.
    void exportImage(QWidget* chartView);
    void openDataFromDialog();
    // Replaces the log with the file's records; the tips bar tells how many lines were
    // skipped. A file without records, too large or unreadable leaves the log untouched.
    bool openData(const QString& fileName);

signals:
    // The log now holds a whole recording from a file.
    void recordingOpened();

private:
    void warn(const QString& title, const QString& what, const QString& fileName,
              const QString& reason);

    QWidget* window;
    Acquisition* acquisition;
    TipsBar* tips;
    AskFileName askSaveName;
    AskFileName askOpenName;
};
