#include "ui/context/UserFile.h"

#include "core/RegularFile.h"

namespace kivo::ui {

std::optional<QByteArray> ReadUserFile(const QString& path, std::uintmax_t maxBytes, bool english, QString* reason) {
    FileRefusal refusal;
    const auto bytes = ReadRegularFile(path.toStdString(), maxBytes, refusal);
    if (!bytes) {
        if (reason) *reason = QString::fromStdString(english ? refusal.reason.en : refusal.reason.pt);
        return std::nullopt;
    }
    return QByteArray(bytes->data(), qsizetype(bytes->size()));
}

}  // namespace kivo::ui
