#pragma once
#include <QWidget>
#include <functional>

class QLabel;

namespace tc {

class Form14;

// The about window: product, version and call sign, the site picture, the
// maker's contact details and the two link buttons. A tool window of its
// own, beside the main window, never modal.
class AboutWindow : public QWidget {
    Q_OBJECT

public:
    // Runs a handler of the about window under the program's dispatcher.
    using HandlerRunner = std::function<void(const std::function<void()>&)>;

    explicit AboutWindow(HandlerRunner run);

    // Shows the window with the texts of `form`; centred on the screen when
    // it comes up afresh, left where it is when it is already open.
    void present(Form14& form);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    HandlerRunner run_;
    Form14* form_ = nullptr;
    QLabel* label6_;
};

}  // namespace tc
