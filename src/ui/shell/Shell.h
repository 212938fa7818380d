#pragma once
// The main window as the windows below it see it: the diagram and its
// refresh, the window registry, the widget panel, the caption, and the
// widget that parents their windows. The main window implements it, so no
// window includes the main window's header.
class QWidget;

namespace kivo::ui {

class AppContext;
class Diagram;
class ObjectWindows;
class WidgetPanel;

class Shell {
public:
    virtual AppContext& app() = 0;
    virtual Diagram& diagram() = 0;
    virtual ObjectWindows& windows() = 0;
    virtual WidgetPanel& panel() = 0;
    // Redraws the markers, shapes and texts on the diagram and tells the
    // windows that list variables that the table may have changed.
    virtual void UpdateDiagram() = 0;
    virtual void UpdateTitle() = 0;
    virtual QWidget* mainWidget() = 0;

protected:
    ~Shell() = default;
};

}  // namespace kivo::ui
