#pragma once
// The controller faceplate's captions and hints in both languages. The
// window is built with the Portuguese texts; a program running in English
// applies the English ones once, when the window is created.
#include <span>

#include <QString>

class QWidget;

namespace kivo::ui {

// A control found by its objectName: caption and hint in each language
// (nullptr where the control has none). The accessible name is the
// caption, or the hint where there is no caption.
struct ControlText {
    const char* name;
    const char* pt;
    const char* en;
    const char* tooltipPt;
    const char* tooltipEn;
};

std::span<const ControlText> FaceplateTexts();

// Sets captions, hints and accessible names of every control of the table
// found under root.
void ApplyControlTexts(QWidget* root, std::span<const ControlText> table, bool english);

// Texts the faceplate composes at run time.
QString LogFolderTitle(bool english);      // folder dialog title
QString InitialLoggingText(bool english);  // log indicator before any time base
QString CoordinatesText(int k);            // cursor label k (1..6) at rest

}  // namespace kivo::ui
