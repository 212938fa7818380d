#include "ui/main/TextoRtf.h"

#include <cctype>
#include <vector>

namespace kivo::ui {
namespace {

struct Estado {
    bool ignora = false;
    bool negrito = false;
    bool italico = false;
    bool sublinhado = false;
    int pularUnicode = 1;  // \ucN: characters that follow a \u
};

// Windows-1252 bytes 0x80..0x9F; the rest of the code page is Latin-1.
char16_t DeCp1252(unsigned char b) {
    static constexpr char16_t k80[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                         0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    return b >= 0x80 && b < 0xA0 ? k80[b - 0x80] : char16_t(b);
}

class Leitor {
public:
    explicit Leitor(const QByteArray& rtf) : s_(rtf) {}

    QString Html() {
        pilha_.push_back({});
        while (i_ < s_.size()) {
            const char c = s_[i_++];
            if (c == '{') {
                pilha_.push_back(pilha_.back());
            } else if (c == '}') {
                if (pilha_.size() > 1) pilha_.pop_back();
                Formata();
            } else if (c == '\\') {
                Controle();
            } else if (c != '\r' && c != '\n') {
                Escreve(QChar(DeCp1252(static_cast<unsigned char>(c))));
            }
        }
        Fecha();
        return html_;
    }

private:
    Estado& e() { return pilha_.back(); }

    void Controle() {
        if (i_ >= s_.size()) return;
        const char c = s_[i_];
        if (c == '\'') {  // \'hh
            const bool ok = i_ + 2 < s_.size();
            const int b = ok ? s_.mid(i_ + 1, 2).toInt(nullptr, 16) : '?';
            i_ += 3;
            Escreve(QChar(DeCp1252(static_cast<unsigned char>(b))));
            return;
        }
        if (c == '*') {  // an optional destination this reader does not know
            ++i_;
            e().ignora = true;
            return;
        }
        if (!std::isalpha(static_cast<unsigned char>(c))) {  // \\ \{ \} and the like
            ++i_;
            if (c == '\\' || c == '{' || c == '}') Escreve(QChar(c));
            if (c == '~') Escreve(QChar(0xA0));
            return;
        }
        QByteArray palavra;
        while (i_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[i_]))) palavra += s_[i_++];
        QByteArray numero;
        if (i_ < s_.size() && (s_[i_] == '-' || std::isdigit(static_cast<unsigned char>(s_[i_])))) {
            numero += s_[i_++];
            while (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_]))) numero += s_[i_++];
        }
        if (i_ < s_.size() && s_[i_] == ' ') ++i_;
        const bool temNumero = !numero.isEmpty();
        const int n = numero.toInt();
        if (palavra == "fonttbl" || palavra == "colortbl" || palavra == "stylesheet" || palavra == "info" ||
            palavra == "pict" || palavra == "header" || palavra == "footer") {
            e().ignora = true;
        } else if (palavra == "par" || palavra == "line") {
            Escreve(QChar('\n'));
        } else if (palavra == "tab") {
            Escreve(QChar('\t'));
        } else if (palavra == "b") {
            e().negrito = !temNumero || n != 0;
            Formata();
        } else if (palavra == "i") {
            e().italico = !temNumero || n != 0;
            Formata();
        } else if (palavra == "ul") {
            e().sublinhado = !temNumero || n != 0;
            Formata();
        } else if (palavra == "ulnone") {
            e().sublinhado = false;
            Formata();
        } else if (palavra == "plain") {
            e().negrito = e().italico = e().sublinhado = false;
            Formata();
        } else if (palavra == "uc") {
            e().pularUnicode = n;
        } else if (palavra == "u") {
            Escreve(QChar(static_cast<char16_t>(n < 0 ? n + 65536 : n)));
            // The fallback characters that follow stand for the same letter.
            for (int k = 0; k < e().pularUnicode && i_ < s_.size(); ++k) {
                if (s_[i_] == '\\' && i_ + 1 < s_.size() && s_[i_ + 1] == '\'')
                    i_ += 4;
                else
                    ++i_;
            }
        }
    }

    void Escreve(QChar c) {
        if (e().ignora) return;
        Formata();
        if (c == '\n')
            html_ += QStringLiteral("<br>");
        else if (c == '<')
            html_ += QStringLiteral("&lt;");
        else if (c == '>')
            html_ += QStringLiteral("&gt;");
        else if (c == '&')
            html_ += QStringLiteral("&amp;");
        else
            html_ += c;
    }

    // Opens and closes the tags so that the output follows the state.
    void Formata() {
        if (pilha_.empty() || e().ignora) return;
        const Estado& d = e();
        if (d.negrito == bAberto_ && d.italico == iAberto_ && d.sublinhado == uAberto_) return;
        Fecha();
        if (d.negrito) html_ += QStringLiteral("<b>");
        if (d.italico) html_ += QStringLiteral("<i>");
        if (d.sublinhado) html_ += QStringLiteral("<u>");
        bAberto_ = d.negrito;
        iAberto_ = d.italico;
        uAberto_ = d.sublinhado;
    }

    void Fecha() {
        if (uAberto_) html_ += QStringLiteral("</u>");
        if (iAberto_) html_ += QStringLiteral("</i>");
        if (bAberto_) html_ += QStringLiteral("</b>");
        bAberto_ = iAberto_ = uAberto_ = false;
    }

    const QByteArray& s_;
    qsizetype i_ = 0;
    std::vector<Estado> pilha_;
    QString html_;
    bool bAberto_ = false;
    bool iAberto_ = false;
    bool uAberto_ = false;
};

}  // namespace

QString HtmlDeRtf(const QByteArray& rtf) {
    // Not RTF at all: shown as plain text.
    if (!rtf.startsWith("{\\rtf")) return QString::fromLatin1(rtf).toHtmlEscaped().replace('\n', QStringLiteral("<br>"));
    return Leitor(rtf).Html();
}

}  // namespace kivo::ui
