#pragma once
// The texts of the rewind panel of the main window: going back to an
// automatic snapshot and taking, restoring and deleting named ones.
#include <span>

#include <QString>

#include "ui/i18n/Translations.h"

namespace kivo::ui {

// Labels, buttons and accessible names, by objectName.
std::span<const Translation> RewindTexts();
// The slider's readout: the plant time of the snapshot chosen and how far
// back it lies; "no snapshot yet" before the first.
QString RewindTimeText(bool any, double time, double back, bool english);
// A named snapshot in the list: its name and plant time, the same in both
// languages.
QString NamedSnapshotItem(const QString& name, double time);
// The name of the n-th snapshot the user took without naming it.
QString DefaultSnapshotName(int n, bool english);
// The question before a named snapshot is deleted; item as the list shows it.
QString DeleteSnapshotQuestion(const QString& item, bool english);
// Why a snapshot was not restored: 0 another configuration, 1 damaged.
QString RestoreRefusedText(int why, bool english);
// The named snapshots' file could not be read or written, and why.
QString SnapshotFileText(bool reading, const QString& file, const QString& reason, bool english);

}  // namespace kivo::ui
