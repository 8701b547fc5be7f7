#pragma once

#include "app/MemoLog.h"
#include "app/ProgressBarSink.h"
#include "app/QtEventPump.h"
#include "app/TMainServices.h"
#include "catalogue/CategoryTable.h"
#include "catalogue/Rom.h"
#include "util/StringList.h"
#include "util/TextLines.h"

#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTimer;

namespace quarvel {

class TrkGlassButton;
class TrkVistaPanel;

// The main window: both pages, the top bar, the log and the start-up chain. Handlers
// read controls, call the core and write controls back.
class TMain : public QWidget {
    Q_OBJECT

public:
    explicit TMain(TMainServices services, QWidget* parent = nullptr);
    ~TMain() override;

    static constexpr const char* Caption = "Quarvel 0.6 beta";
    static constexpr const char* WebAddress = "https://quarvel.app";

    const StringList& CategoryNames() const { return categoryNames_; }
    const CategoryTable& Categories() const { return categories_; }
    const RomTable& RomList() const { return romList_; }
    const RomTable& FilteredRoms() const { return filteredRoms_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateTopBar();
    void CreateClonesPage();
    void CreateRomsListPage();
    void ConnectHandlers();
    // Runs a handler; an error that leaves it goes to the standard error box.
    void Guarded(const std::function<void()>& handler);

    void FormCreate();
    void FormDestroy();
    void Timer1Timer();
    void LoadSettings();
    void BuildCategories();
    void ButtonClonesClick();
    void ButtonRomsListClick();
    void Label4Click();
    void TabSheet1MouseMove();

    TMainServices services_;

    // The shared lists, created in this order and freed in the reverse order.
    TextLines xmlLines_;
    StringList cloneNames_;
    StringList originalNames_;
    StringList sourceFiles_;
    StringList categoryNames_;

    RomTable romList_;
    RomTable filteredRoms_;
    CategoryTable categories_;

    TrkVistaPanel* vpnlTop_ = nullptr;
    TrkGlassButton* rkGlassButton2_ = nullptr;
    TrkGlassButton* buttonClones_ = nullptr;
    TrkGlassButton* buttonRomsList_ = nullptr;
    QComboBox* comboBox3_ = nullptr;
    QStackedWidget* pageControl1_ = nullptr;
    QWidget* tabSheet1_ = nullptr;
    QWidget* tabSheet2_ = nullptr;

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
    QPlainTextEdit* memo1_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QPushButton* button1_ = nullptr;
    QLabel* label4_ = nullptr;

    QWidget* panel1_ = nullptr;
    QLineEdit* buttonedEdit1_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QLabel* label6_ = nullptr;
    QLabel* label3_ = nullptr;
    QListWidget* catsBox_ = nullptr;
    QTableView* listView1_ = nullptr;
    QProgressBar* progressBar2_ = nullptr;

    QTimer* timer1_ = nullptr;

    std::unique_ptr<MemoLog> log_;
    std::unique_ptr<ProgressBarSink> progress1_;
    QtEventPump pump_;
};

} // namespace quarvel
