#pragma once

#include "JournalWriter.h"
#include "SampleStore.h"

#include <QObject>
#include <QString>

class Acquisition;
class TipsBar;
class QWidget;

// Keeps the journal of the acquisition's current run on disk: a fresh run replaces it,
// every recorded sample is appended, a pause puts it on the disk, a stop marks it clean. When the
// journal cannot be written the recording goes on in memory and the tips bar says that the journal
// is off.
class RunJournal : public QObject {
    Q_OBJECT
public:
    RunJournal(const Acquisition* acquisition, QString path, TipsBar* tips, QWidget* window);
    ~RunJournal() override;

    bool isWriting() const { return writer.isWriting(); }

private:
    void begin(qint64 startSecs);
    void append(qint64 epochSecs, const SampleStore::Values& values);
    void pause(bool running);
    void showTips();
    void reportStop();

    JournalWriter writer;
    QString path;
    TipsBar* tips;
    QWidget* window;
    bool off = false;
};
