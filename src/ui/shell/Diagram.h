#pragma once
// The plant diagram: the background picture and one marker per object slot,
// placed in the project file's pixel coordinates, with the move and delete
// modes of the editing state table.
#include <array>
#include <functional>

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "ui/shell/ObjectWindows.h"

class QAction;
class QLabel;
class QToolButton;

namespace kivo {
struct Marker;
}

namespace kivo::ui {

class AppContext;

class Diagram : public QWidget {
    Q_OBJECT
public:
    // mover and deleteAction are the menu items whose check marks are the move
    // and delete modes.
    Diagram(AppContext& app, ObjectWindows& windows, QAction* moveAction, QAction* deleteAction, QWidget* parent = nullptr);

    static int FamilySize(Family f);
    // Controls of the markers: a flat button per controller, process, block
    // and recorder slot; the value and description labels of a text.
    QToolButton* marker(Family f, int n) const;
    QLabel* textValue(int n) const { return values_[n - 1]; }
    QLabel* textLabel(int n) const { return labels_[n - 1]; }
    QLabel* image() const { return image_; }

    // Display state of every active slot's marker from the objects.
    void UpdateDiagram();
    // Places every marker where the project keeps it.
    void PlaceMarkers();
    // After the project reset: every marker hidden and at its default
    // place, no picture.
    void Reset();
    // Loads and shows the background picture; a missing or unreadable file
    // leaves the diagram without one.
    bool LoadImage(const QString& path);
    void HideImage();

    // Empties a slot as delete mode does.
    void Delete(Family f, int n);

    // The edit state: which marker was last picked in move mode, and whether
    // it follows the pointer.
    bool loading() const { return loading_; }
    QWidget* selected() const { return selected_; }
    bool moveMode() const;
    // A click on an item in move mode: it becomes the selected item and
    // carrying is inverted; place puts it with its top-left corner at the
    // pointer.
    void Select(QWidget* item, std::function<void(int x, int y)> place);
    // The diagram's size follows what it shows.
    void FitSize();

signals:
    void objectDeleted(Family f, int n);
    // A double click on the bare surface: reload picture and comments.
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void MakeMarkers();
    void MarkerClicked(Family f, int n);
    Marker& model(Family f, int n) const;
    void Place(Family f, int n, int x, int y);

    AppContext& app_;
    ObjectWindows& windows_;
    QAction* moveAction_;
    QAction* deleteAction_;
    QLabel* image_;
    std::array<QToolButton*, 10> controllers_{};
    std::array<QToolButton*, 24> processes_{};
    std::array<QToolButton*, 24> blocks_{};
    std::array<QToolButton*, 10> recorders_{};
    std::array<QLabel*, 20> values_{};
    std::array<QLabel*, 20> labels_{};

    QPointer<QWidget> selected_;
    std::function<void(int, int)> placeSelected_;
    bool loading_ = false;
};

}  // namespace kivo::ui
