#include "ui/main/RtfText.h"

#include <cctype>
#include <vector>

namespace kivo::ui {
namespace {

struct State {
    bool skip = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int unicodeSkip = 1;  // \ucN: characters that follow a \u
};

// Windows-1252 bytes 0x80..0x9F; the rest of the code page is Latin-1.
char16_t FromCp1252(unsigned char b) {
    static constexpr char16_t k80[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                         0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    return b >= 0x80 && b < 0xA0 ? k80[b - 0x80] : char16_t(b);
}

class Reader {
public:
    explicit Reader(const QByteArray& rtf) : s_(rtf) {}

    QString Html() {
        stack_.push_back({});
        while (i_ < s_.size()) {
            const char c = s_[i_++];
            if (c == '{') {
                stack_.push_back(stack_.back());
            } else if (c == '}') {
                if (stack_.size() > 1) stack_.pop_back();
                ApplyFormat();
            } else if (c == '\\') {
                ReadControl();
            } else if (c != '\r' && c != '\n') {
                Write(QChar(FromCp1252(static_cast<unsigned char>(c))));
            }
        }
        Close();
        return html_;
    }

private:
    State& e() { return stack_.back(); }

    void ReadControl() {
        if (i_ >= s_.size()) return;
        const char c = s_[i_];
        if (c == '\'') {  // \'hh
            const bool ok = i_ + 2 < s_.size();
            const int b = ok ? s_.mid(i_ + 1, 2).toInt(nullptr, 16) : '?';
            i_ += 3;
            Write(QChar(FromCp1252(static_cast<unsigned char>(b))));
            return;
        }
        if (c == '*') {  // an optional destination this reader does not know
            ++i_;
            e().skip = true;
            return;
        }
        if (!std::isalpha(static_cast<unsigned char>(c))) {  // \\ \{ \} and the like
            ++i_;
            if (c == '\\' || c == '{' || c == '}') Write(QChar(c));
            if (c == '~') Write(QChar(0xA0));
            return;
        }
        QByteArray word;
        while (i_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[i_]))) word += s_[i_++];
        QByteArray number;
        if (i_ < s_.size() && (s_[i_] == '-' || std::isdigit(static_cast<unsigned char>(s_[i_])))) {
            number += s_[i_++];
            while (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_]))) number += s_[i_++];
        }
        if (i_ < s_.size() && s_[i_] == ' ') ++i_;
        const bool hasNumber = !number.isEmpty();
        const int n = number.toInt();
        if (word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info" ||
            word == "pict" || word == "header" || word == "footer") {
            e().skip = true;
        } else if (word == "par" || word == "line") {
            Write(QChar('\n'));
        } else if (word == "tab") {
            Write(QChar('\t'));
        } else if (word == "b") {
            e().bold = !hasNumber || n != 0;
            ApplyFormat();
        } else if (word == "i") {
            e().italic = !hasNumber || n != 0;
            ApplyFormat();
        } else if (word == "ul") {
            e().underline = !hasNumber || n != 0;
            ApplyFormat();
        } else if (word == "ulnone") {
            e().underline = false;
            ApplyFormat();
        } else if (word == "plain") {
            e().bold = e().italic = e().underline = false;
            ApplyFormat();
        } else if (word == "uc") {
            e().unicodeSkip = n;
        } else if (word == "u") {
            Write(QChar(static_cast<char16_t>(n < 0 ? n + 65536 : n)));
            // The fallback characters that follow stand for the same letter.
            for (int k = 0; k < e().unicodeSkip && i_ < s_.size(); ++k) {
                if (s_[i_] == '\\' && i_ + 1 < s_.size() && s_[i_ + 1] == '\'')
                    i_ += 4;
                else
                    ++i_;
            }
        }
    }

    void Write(QChar c) {
        if (e().skip) return;
        ApplyFormat();
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
    void ApplyFormat() {
        if (stack_.empty() || e().skip) return;
        const State& d = e();
        if (d.bold == boldOpen_ && d.italic == italicOpen_ && d.underline == underlineOpen_) return;
        Close();
        if (d.bold) html_ += QStringLiteral("<b>");
        if (d.italic) html_ += QStringLiteral("<i>");
        if (d.underline) html_ += QStringLiteral("<u>");
        boldOpen_ = d.bold;
        italicOpen_ = d.italic;
        underlineOpen_ = d.underline;
    }

    void Close() {
        if (underlineOpen_) html_ += QStringLiteral("</u>");
        if (italicOpen_) html_ += QStringLiteral("</i>");
        if (boldOpen_) html_ += QStringLiteral("</b>");
        boldOpen_ = italicOpen_ = underlineOpen_ = false;
    }

    const QByteArray& s_;
    qsizetype i_ = 0;
    std::vector<State> stack_;
    QString html_;
    bool boldOpen_ = false;
    bool italicOpen_ = false;
    bool underlineOpen_ = false;
};

}  // namespace

QString HtmlFromRtf(const QByteArray& rtf) {
    // Not RTF at all: shown as plain text.
    if (!rtf.startsWith("{\\rtf")) return QString::fromLatin1(rtf).toHtmlEscaped().replace('\n', QStringLiteral("<br>"));
    return Reader(rtf).Html();
}

}  // namespace kivo::ui
