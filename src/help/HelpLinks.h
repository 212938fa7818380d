#pragma once
// The help links: every entry point, the page path it opens and whether a
// connectivity test comes first. The base URL is decided here alone.
#include <span>

#include <QString>
#include <QUrl>

namespace kivo::help {

enum class Entry {
    Website,           // menu utorial1
    HelpBar,           // help bar
    VideoLessons,      // menu VdeoAulas1
    Lessons,           // menu IntroduoControledeProcessos1
    SignalGenerators,  // GeneratorsWindow SpeedButton1
    PidController,     // ControllerFaceplate SpeedButton1
    CalculationBlock,  // BlockWindow SpeedButton1
    ProcessBlock,      // ProcessWindow SpeedButton1
    Variables,         // VariableListDialog SpeedButton3
    FastSimulation,    // FastSimulationWindow SpeedButton4
    Modbus             // ProjectSettingsDialog ModbusAjuda
};

struct Link {
    Entry entry;
    const char* path;  // appended to the base URL
    bool checkConnection;
};

std::span<const Link> Links();

// The pages installed with the program in the interface language, or the
// pages beside the sources when the program runs from its build tree.
QUrl UrlBase(bool english);
// Base URL + the entry's path. For a local folder the page file
// "index.html" is named, since a browser shows a bare folder as a listing.
QUrl UrlOf(const QUrl& base, Entry e);

// Whether the entry's page is opened only after a connectivity test: where
// the table asks for it, unless the base is a local folder.
bool NeedsConnection(const QUrl& base, Entry e);
// What a failed connectivity test shows instead of the page.
inline constexpr char kConnectionRequired[] = "É requerida conexão com internet";

}  // namespace kivo::help
