#pragma once
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "ui/MainWindowLayout.h"

class QLineEdit;
class QScrollBar;

namespace tc {

class AntennaPicture;
class Panel;
class StationCommands;
class HeldEnd;

// The operator's panel, the panel as the operator sees it. It shows the
// panel's controls where the window design puts them and hands every
// click and edit to the program; what it shows it reads back from the
// panel after each handler (refresh), so it keeps no state of its own.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow(Panel& panel, StationCommands& station, HeldEnd& held);

    // Brings every widget in line with the panel.
    void refresh();

    // The widget that shows the control of that design name, if it is shown at all.
    QWidget* control(std::string_view name) const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    struct ShownShape {
        QWidget* widget;
        const Shape* shape;
    };
    struct ShownField {
        QLineEdit* edit;
        const TextField* field;
        std::string shown;  // the panel's text as last put into the edit
    };

    // Makes the widget of one control of the layout; null for a control
    // these windows do not show.
    QWidget* make(const PlacedControl& c, QWidget* parent);
    static QFont font(PlacedControl::Face face);
    QWidget* field(const PlacedControl& c, QWidget* parent);
    QWidget* volume(QWidget* parent);

    void forward(const std::function<void()>& action);
    void place();

    Panel& panel_;
    StationCommands& station_;
    HeldEnd& held_;
    std::vector<ShownShape> shapes_;
    std::vector<ShownField> fields_;
    QScrollBar* volume_ = nullptr;
    AntennaPicture* antenna_ = nullptr;
    std::string caption_;
    double placedLeft_ = -1;  // the panel's place as last given to the window
    double placedTop_ = -1;
};

}  // namespace tc
