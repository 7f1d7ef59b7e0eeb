// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

enum class ReplaceAnswer { SaveFirst, Replace, Cancel };

// Asked before a file replaces a recording with `samples` unsaved samples. Closing the box
// cancels.
ReplaceAnswer askReplaceUnsaved(QWidget* parent, int samples);
