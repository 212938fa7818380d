#include "ui/context/Interaction.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QNetworkInformation>

namespace kivo::ui {

void Interaction::Inform(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("KIVO"), text, QMessageBox::Ok, parent);
    box.exec();
}

bool Interaction::Ask(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("KIVO"), text, QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

QString Interaction::StartFolder() const { return folder ? folder() : QString(); }

QString Interaction::SaveFileName(QWidget* parent, const QString& defaultName, const QString& note) {
    // No default suffix: the life cycle decides when ".smp" is appended.
    const QString title = english ? QStringLiteral("Save As") : QStringLiteral("Salvar Como");
    // A proposed name with its folder opens the dialog in that folder.
    const QFileInfo proposed(defaultName);
    const QString folder = proposed.isAbsolute() ? proposed.absolutePath() : StartFolder();
    QFileDialog d(parent, note.isEmpty() ? title : title + QStringLiteral(" - ") + note, folder,
                  english ? QStringLiteral("Simulation Files (*.smp);;All Files (*.*)")
                         : QStringLiteral("Arquivos de Simulação (*.smp);;Todos os  Arquivos (*.*)"));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.selectFile(proposed.isAbsolute() ? proposed.fileName() : defaultName);
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first() : QString();
}

QString Interaction::OpenFileName(QWidget* parent) {
    QFileDialog d(parent, english ? QStringLiteral("Open") : QStringLiteral("Abrir"), StartFolder(),
                  english ? QStringLiteral("Simulation Files (*.smp);;All Files (*.*)")
                         : QStringLiteral("Arquivos de Simulação (*.smp);;Todos os Arquivos (*.*)"));
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setDefaultSuffix(QStringLiteral("smp"));
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first() : QString();
}

QString Interaction::ExerciseFileName(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, english ? QStringLiteral("Open exercise") : QStringLiteral("Abrir exercício"), StartFolder(),
        english ? QStringLiteral("Exercises (*.kex);;All Files (*.*)")
                : QStringLiteral("Exercícios (*.kex);;Todos os Arquivos (*.*)"));
}

QString Interaction::ExerciseSaveFileName(QWidget* parent, const QString& defaultName) {
    return QFileDialog::getSaveFileName(
        parent, english ? QStringLiteral("Save exercise") : QStringLiteral("Salvar exercício"),
        defaultName.isEmpty() ? StartFolder() : defaultName,
        english ? QStringLiteral("Exercises (*.kex)") : QStringLiteral("Exercícios (*.kex)"));
}

QString Interaction::ImageFileName(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                        english ? QStringLiteral("Bitmap Files (*.bmp);;All Files (*.*)")
                                               : QStringLiteral("Arquivos Bit-Map (*.bmp);;Todos os Arquivos (*.*)"));
}

QString Interaction::LogFileName(QWidget* parent, const QString& title, const QString& defaultName) {
    QFileDialog d(parent, title, StartFolder());
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setDefaultSuffix(QStringLiteral("txt"));
    d.selectFile(defaultName);
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first() : QString();
}

void Interaction::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

bool Interaction::Connected() {
    // The network information backend answers without blocking; without a
    // backend the state is unknown, and unknown counts as not connected.
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend()) return false;
    const auto* info = QNetworkInformation::instance();
    return info && info->reachability() == QNetworkInformation::Reachability::Online;
}

}  // namespace kivo::ui
