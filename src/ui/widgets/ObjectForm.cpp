#include "ui/widgets/ObjectForm.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

#include "ui/i18n/Tooltips.h"

namespace kivo::ui {

QLineEdit* TextField(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setAccessibleName(e->objectName());
    return e;
}

QLabel* Caption(QWidget* parent, const char* name, const char* text, QWidget* field) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAccessibleName(l->text().trimmed());
    if (field) {
        l->setBuddy(field);
        field->setAccessibleName(l->accessibleName());
    }
    return l;
}

void SyncAccessibleNames(QWidget* root) {
    for (QLabel* l : root->findChildren<QLabel*>()) {
        l->setAccessibleName(l->text().trimmed());
        if (l->buddy()) l->buddy()->setAccessibleName(l->accessibleName());
    }
}

QLabel* Header(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QStringLiteral("Cabecalho"));
    QFont bold = l->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    l->setFont(bold);
    return l;
}

QToolButton* FooterButtons(QWidget* parent, QBoxLayout* column, const char* helpName,
                          std::initializer_list<QAbstractButton*> right) {
    auto* line = new QHBoxLayout;
    auto* helpButton = CaptionedButton<QToolButton>(parent, helpName, "?");
    NameByTooltip(helpButton);
    line->addWidget(helpButton);
    line->addStretch(1);
    for (QAbstractButton* b : right) line->addWidget(b);
    column->addLayout(line);
    return helpButton;
}

void ShowText(QLineEdit* field, const std::string& text) {
    const QSignalBlocker silenced(field);
    field->setText(QString::fromStdString(text));
    field->setCursorPosition(0);
}

void UpdateItems(QComboBox* list, const QStringList& items) {
    if (list->count() == items.size()) {
        for (int i = 0; i < items.size(); ++i)
            if (list->itemText(i) != items[i]) list->setItemText(i, items[i]);
        return;
    }
    const int current = list->currentIndex();
    list->clear();
    list->addItems(items);
    if (current < items.size()) list->setCurrentIndex(current);
}

QString TwoDecimals(double v) { return QString::number(v, 'f', 2); }

}  // namespace kivo::ui
