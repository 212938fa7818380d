#pragma once
// The data log of a trend, a controller faceplate's or a trend recorder's:
// one semicolon-separated text file per log, tag + "_" + k + ".txt" for the
// smallest free k, a header naming the time base and the three columns, then
// one line per sample. Windows-1252, every line ended by CR LF and flushed at
// once: a log is read while it grows, and a program that ends without
// closing it loses no line.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "core/MotivoFalha.h"

namespace kivo {

class LogTendencia {
public:
    // Creates the next free tag_k.txt in pasta and writes the header: the
    // time base's text (0..2) followed by the three column names. Returns
    // false when the file cannot be created; Erro then says which and why.
    bool Abre(const std::filesystem::path& pasta, const std::string& tag, int baseTempo, const std::string& nome1,
              const std::string& nome2, const std::string& nome3);
    // One line at the log time, which then advances by the time base's step.
    // A line the system refuses ends the log (so that no later line claims a
    // time the file does not hold) and returns false; Erro says why.
    bool Escreve(double v1, double v2, double v3, bool virgula);
    void Fecha();

    bool aberto() const { return arquivo_ != nullptr; }
    // The file of the last log opened, or of the last one that failed.
    const std::filesystem::path& caminho() const { return caminho_; }
    std::string nomeArquivo() const;
    // Not reset between logs, so a second log continues the time column.
    double tempo() const { return tempo_; }
    // Why the last Abre or Escreve failed, in the interface language.
    std::string Erro(bool ingles) const;

    static std::string Cabecalho(int baseTempo, const std::string& nome1, const std::string& nome2,
                                 const std::string& nome3);
    static std::string Linha(double tempo, double v1, double v2, double v3, bool virgula);
    // tag_k.txt, with the characters a file name cannot hold made "_", so
    // that a tag such as "FIC/2" still logs into the folder given.
    static std::string NomeArquivo(const std::string& tag, int k);

private:
    struct FechaArquivo {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    enum class Falha { Nenhuma, Criar, Gravar };
    // Writes and flushes bytes; a refusal is kept as falha and closes the file.
    bool Grava(const std::string& bytes, Falha falha);

    std::unique_ptr<std::FILE, FechaArquivo> arquivo_;
    std::filesystem::path caminho_;
    double tempo_ = 0;
    double passo_ = 0.1;
    Falha falha_ = Falha::Nenhuma;
    MotivoFalha motivo_;
};

}  // namespace kivo
