// SPDX-License-Identifier: GPL-3.0-or-later
#include "TipsBar.h"

#include "MainTr.h"

#include <QLabel>

TipsBar::TipsBar(QLabel* label, QObject* parent) : QObject(parent), label(label) {}

// A cause that already stands keeps its place: a retried open that fails again is no
// newer than the journal message that came after it.
void TipsBar::raise(Cause cause, Text text) {
    const auto found = standing.find(cause);
    if (found != standing.end())
        found->second.text = std::move(text);
    else
        standing[cause] = {std::move(text), nextOrder++};
    show();
}

void TipsBar::end(Cause cause) {
    if (standing.erase(cause) > 0)
        show();
}

void TipsBar::note(Text text) {
    lastNote = {std::move(text), nextOrder++};
    show();
}

void TipsBar::relabel() {
    show();
}

QString TipsBar::text() const {
    const Message* latest = lastNote.text ? &lastNote : nullptr;
    for (const auto& entry : standing) {
        if (!latest || entry.second.order > latest->order)
            latest = &entry.second;
    }
    return latest ? latest->text() : trMain("Tips:Hello!");
}

void TipsBar::show() {
    label->setText(text());
}
