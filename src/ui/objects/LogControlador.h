#pragma once
// The data log of a controller faceplate: one semicolon-separated text file
// per log, tag + "_" + k + ".txt" in the log folder for the smallest free k,
// a header naming the time base, then one line per trend sample.
#include <memory>

#include <QFile>
#include <QString>

namespace kivo::ui {

class LogControlador {
public:
    // Creates the file and writes the header for time base 0..2. Returns
    // false when the file cannot be created; erro then says which and why.
    bool Abre(const QString& pasta, const QString& tag, int baseTempo, QString& erro);
    // One line at the current log time, then the time advances by the step
    // of the time base the log was opened with. pv and sp in the units the
    // caller chose, mv in %.
    void Escreve(double pv, double sp, double mv, bool virgula);
    void Fecha();

    bool aberto() const { return arquivo_ != nullptr; }
    const QString& caminho() const { return caminho_; }
    // Not reset between logs, so a second log continues the time column.
    double tempo() const { return tempo_; }

    static QString Cabecalho(int baseTempo);
    static QString Linha(double tempo, double pv, double sp, double mv, bool virgula);
    // tag_k.txt for the smallest k >= 1 not yet in pasta.
    static QString ProximoArquivo(const QString& pasta, const QString& tag);

private:
    std::unique_ptr<QFile> arquivo_;
    QString caminho_;
    double tempo_ = 0;
    double passo_ = 0.1;
};

}  // namespace kivo::ui
