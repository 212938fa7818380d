#pragma once
// The shipped examples as the chooser shows them: page, picture, titles,
// descriptions and hints in both languages, and the path under the start
// directory.
#include <span>

#include <QString>
#include <QStringList>

namespace kivo::ui {

struct Example {
    int page;             // 0..5
    const char* picture;  // objectName of the picture, "sim18"
    const char* titlePt;
    const char* titleEn;
    const char* path;   // "\examples\...\name.smp", as the table writes it
    const char* descriptionPt;
    const char* descriptionEn;
    const char* tooltip;      // picture hint, "" for none
};

std::span<const Example> Examples();
QStringList ExamplePages(bool english);

}  // namespace kivo::ui
