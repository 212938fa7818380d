#include "ui/i18n/RewindTexts.h"

#include <array>
#include <cmath>

namespace kivo::ui {
namespace {

constexpr std::array kRewind{
    Translation{"VoltarRotulo", "Voltar:", "Rewind:"},
    Translation{"VoltarBTN", "Voltar", "Rewind"},
    Translation{"FotografiaBTN", "Fotografia", "Snapshot"},
    Translation{"RestaurarBTN", "Restaurar", "Restore"},
    Translation{"ExcluirFotografiaBTN", "Excluir", "Delete"},
};

// h:mm:ss of plant time.
QString Clock(double seconds) {
    const long long s = std::llround(std::max(0.0, seconds));
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

std::span<const Translation> RewindTexts() { return kRewind; }

QString RewindTimeText(bool any, double time, double back, bool english) {
    if (!any) return english ? QStringLiteral("no snapshot yet") : QStringLiteral("nenhuma fotografia ainda");
    return english ? QStringLiteral("t = %1 (%2 ago)").arg(Clock(time), Clock(back))
                   : QStringLiteral("t = %1 (há %2)").arg(Clock(time), Clock(back));
}

QString NamedSnapshotItem(const QString& name, double time) {
    return QStringLiteral("%1 (t = %2)").arg(name, Clock(time));
}

QString DefaultSnapshotName(int n, bool english) {
    return (english ? QStringLiteral("Snapshot %1") : QStringLiteral("Fotografia %1")).arg(n);
}

QString DeleteSnapshotQuestion(const QString& item, bool english) {
    return english ? QStringLiteral("Delete the snapshot \"%1\"? It leaves the project's file at the next save.").arg(item)
                   : QStringLiteral("Excluir a fotografia \"%1\"? Ela sai do arquivo do projeto ao salvar.").arg(item);
}

QString RestoreRefusedText(int why, bool english) {
    if (why == 0)
        return english ? QStringLiteral("The snapshot belongs to another configuration of the plant: objects were "
                                        "added, removed or rewired since it was taken. Nothing was changed.")
                       : QStringLiteral("A fotografia é de outra configuração da planta: objetos foram incluídos, "
                                        "excluídos ou religados depois dela. Nada foi alterado.");
    return english ? QStringLiteral("The snapshot is damaged and was not restored. Nothing was changed.")
                   : QStringLiteral("A fotografia está danificada e não foi restaurada. Nada foi alterado.");
}

QString SnapshotFileText(bool reading, const QString& file, const QString& reason, bool english) {
    if (reading)
        return english ? QStringLiteral("The snapshots in \"%1\" were not loaded: %2.").arg(file, reason)
                       : QStringLiteral("As fotografias de \"%1\" não foram carregadas: %2.").arg(file, reason);
    return english ? QStringLiteral("The project was saved, but its snapshots could not be saved in \"%1\": %2.")
                         .arg(file, reason)
                   : QStringLiteral("O projeto foi salvo, mas as fotografias não puderam ser salvas em \"%1\": %2.")
                         .arg(file, reason);
}

}  // namespace kivo::ui
