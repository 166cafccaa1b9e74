#pragma once
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

class QGroupBox;
class QLineEdit;
class QScrollBar;

namespace tc {

class AntennaPicture;
class Form21;
class HeldEnd;
class SvgPicture;
struct Shape;
struct TextField;

// The operator's panel, Form21 as the operator sees it. It shows the
// panel's controls where the window design puts them and hands every
// click and edit to the program; what it shows it reads back from the
// panel after each handler (refresh), so it keeps no state of its own.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow(Form21& form, HeldEnd& held);

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

    QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, const QRect& where,
                     const Shape* shape = nullptr);
    SvgPicture* picture(QWidget* parent, const char* name, const char* image, const QRect& where, const char* tooltip,
                        const Shape& shape, bool border = false);
    void button(QWidget* parent, const char* name, const char* image, const QRect& where, const char* tooltip,
                const Shape& shape);
    QLineEdit* field(QWidget* parent, const char* name, const QRect& where, const char* tooltip, TextField& text,
                     const QFont& font, bool centred);
    void label(QWidget* parent, const char* text, int left, int top);

    void buildStatusStrip();
    void buildCwPage();
    void buildAudioPage();
    void buildTimingsPage();
    void buildBottomRow();

    void forward(const std::function<void()>& action);
    void place();

    Form21& form_;
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
