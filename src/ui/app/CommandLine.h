#pragma once
// The options kivo answers without a display: --help and --version print and
// end the program before any window exists (the man page is made from them).

namespace kivo::ui {

// The exit code when argv asked for --help or --version (after printing),
// or -1 when the program should start.
int AnswerInfoOptions(int argc, char** argv);

}  // namespace kivo::ui
