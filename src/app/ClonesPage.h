#pragma once

#include "app/PageContext.h"
#include "fileops/CancelFlag.h"
#include "net/CurlHttpClient.h"

#include <QUrl>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace quarvel {


// The Clones page: the source and output folders, the batch file operations, the log and the
// version check.
class ClonesPage : public QWidget {
    Q_OBJECT

public:
    struct Services {
        PageContext page;
        // Opens a web address in the user's browser.
        std::function<void(const QString&)> openInShell;
        QUrl versionUrl;
    };

    // memo1 and progressBar1 are the window's log and this page's progress bar, made before
    // the page because the session reports on them; the page lays them out.
    ClonesPage(Services services, QPlainTextEdit* memo1, QProgressBar* progressBar1, QWidget* parent);

    // The button whose context menu is the Roms List page's category menu.
    QPushButton* Button1() const { return button1_; }

    // Shows the settings the session holds.
    void ShowSettings();
    // Ends a version check that waits for the server, as when the window closes.
    void AbortVersionCheck() { httpClient_.Abort(); }

    void FocusSourceFolder();

protected:
    // The web address label is a link: a click on it opens the address.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void ApplyBusyRule(bool busy);
    // The Go button is the Cancel button of the batch it started, and its caption tells which.
    bool BatchRunning() const;

    void PngSpeedButton1Click();
    void PngSpeedButton2Click();
    void ButtonGoFileClick();
    void RunBatch();
    void Button1Click();
    void Label4Click();

    Services services_;
    CurlHttpClient httpClient_;
    CancelFlag batchCancel_;
    QPlainTextEdit* memo1_;
    QProgressBar* progressBar1_;

    QPushButton* pngSpeedButton1_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    QPushButton* pngSpeedButton2_ = nullptr;
    QLineEdit* edit2_ = nullptr;
    QLabel* label1_ = nullptr;
    QComboBox* comboBox1_ = nullptr;
    QPushButton* buttonGoFile_ = nullptr;
    QLabel* label2_ = nullptr;
    QComboBox* comboBox2_ = nullptr;
    QPushButton* button3_ = nullptr;
    QPushButton* button1_ = nullptr;
    QLabel* label4_ = nullptr;
};

} // namespace quarvel
