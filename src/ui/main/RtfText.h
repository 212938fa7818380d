#pragma once
// A small reader for the comments file "descricao.rtf": paragraphs, bold,
// italic and underline become HTML; every other control word and the
// font, colour and style tables are skipped.
#include <QByteArray>
#include <QString>

namespace kivo::ui {

QString HtmlFromRtf(const QByteArray& rtf);

}  // namespace kivo::ui
