#include "ui/app/Interacao.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QNetworkInformation>

namespace kivo::ui {

void Interacao::Informa(QWidget* pai, const QString& texto) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("KIVO"), texto, QMessageBox::Ok, pai);
    box.exec();
}

bool Interacao::Pergunta(QWidget* pai, const QString& texto) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("KIVO"), texto, QMessageBox::Yes | QMessageBox::No, pai);
    return box.exec() == QMessageBox::Yes;
}

QString Interacao::NomeSalvar(QWidget* pai, const QString& nomePadrao) {
    // No default suffix: the life cycle decides when ".smp" is appended.
    QFileDialog d(pai, ingles ? QStringLiteral("Save As") : QStringLiteral("Salvar Como"), nomePadrao,
                  ingles ? QStringLiteral("Simulation Files (*.smp);;All Files (*.*)")
                         : QStringLiteral("Arquivos de Simulação (*.smp);;Todos os  Arquivos (*.*)"));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.selectFile(nomePadrao);
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first() : QString();
}

QString Interacao::NomeAbrir(QWidget* pai) {
    QFileDialog d(pai, ingles ? QStringLiteral("Open") : QStringLiteral("Abrir"), QString(),
                  ingles ? QStringLiteral("Simulation Files (*.smp);;All Files (*.*)")
                         : QStringLiteral("Arquivos de Simulação (*.smp);;Todos os Arquivos (*.*)"));
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setDefaultSuffix(QStringLiteral("smp"));
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first() : QString();
}

QString Interacao::NomeImagem(QWidget* pai) {
    return QFileDialog::getOpenFileName(pai, QString(), QString(),
                                        ingles ? QStringLiteral("Bitmap Files (*.bmp);;All Files (*.*)")
                                               : QStringLiteral("Arquivos Bit-Map (*.bmp);;Todos os Arquivos (*.*)"));
}

QString Interacao::NomeArquivoLog(QWidget* pai, const QString& titulo, const QString& nomePadrao) {
    QFileDialog d(pai, titulo);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setDefaultSuffix(QStringLiteral("txt"));
    d.selectFile(nomePadrao);
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first() : QString();
}

void Interacao::AbreUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

bool Interacao::Conectado() {
    // The network information backend answers without blocking; without a
    // backend the state is unknown, and unknown counts as not connected.
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend()) return false;
    const auto* info = QNetworkInformation::instance();
    return info && info->reachability() == QNetworkInformation::Reachability::Online;
}

}  // namespace kivo::ui
