#pragma once

#include "app/BusyState.h"
#include "app/HandlerGuard.h"
#include "app/MemoLog.h"
#include "app/ProgressBarSink.h"
#include "app/QtEventPump.h"
#include "app/TMainServices.h"
#include "session/Session.h"
#include "settings/CategoriesSetting.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QStackedWidget;
class QTimer;

namespace quarvel {

class CategoryListChooser;
class ClonesPage;
class RomsListPage;
class TrkGlassButton;
class TrkVistaPanel;

// The main window's shell: the top bar, the two pages, the start-up chain, page switching,
// dragging and the error guard. The tables and the operations live in the session; each
// page wires its own controls to it.
class TMain : public QWidget {
    Q_OBJECT

public:
    explicit TMain(TMainServices services, QWidget* parent = nullptr);
    ~TMain() override;

    static constexpr const char* Caption = "Quarvel 0.6 beta";
    static constexpr const char* WebAddress = "https://quarvel.app";
    static constexpr const char* SettingsKey = Session::SettingsKey;
    static constexpr const char* SettingsValue = Session::SettingsValue;

    const StringList& CategoryNames() const { return session_->CategoryNames(); }
    const CategoryTable& Categories() const { return session_->Categories(); }
    const RomTable& RomList() const { return session_->RomList(); }
    const RomTable& FilteredRoms() const { return session_->FilteredRoms(); }
    const StringList& CloneNames() const { return session_->CloneNames(); }
    const StringList& OriginalNames() const { return session_->OriginalNames(); }
    const StringList& SourceFiles() const { return session_->SourceFiles(); }
    // The machine-list location remembered by the open dialog.
    const QString& OpenDialog1FileName() const { return session_->Settings().XmlLoc; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateTopBar();
    void CreatePages();
    void ConnectHandlers();
    void ApplyBusyRule(bool busy);

    void FormCreate();
    void FormDestroy();
    void Timer1Timer();
    void LoadSettings();
    void BuildCategories();
    CategoryListChooser MakeCategoryListChooser() const;
    CategoriesChoice RememberedCategories() const;
    // Loads a category list file, or the built-in list for an empty path, and remembers it.
    bool ChooseCategories(const QString& path);
    void SaveSettings();
    void LoadRomList();
    void ButtonClonesClick();
    void ButtonRomsListClick();
    void ButtonRomsLisClick();
    void ComboBox3Click();
    void TabSheet1MouseMove();

    TMainServices services_;
    HandlerGuard guard_;
    BusyState busy_;

    TrkVistaPanel* vpnlTop_ = nullptr;
    TrkGlassButton* rkGlassButton2_ = nullptr;
    TrkGlassButton* buttonClones_ = nullptr;
    TrkGlassButton* buttonRomsList_ = nullptr;
    QComboBox* comboBox3_ = nullptr;
    QStackedWidget* pageControl1_ = nullptr;
    ClonesPage* clonesPage_ = nullptr;
    RomsListPage* romsListPage_ = nullptr;
    QTimer* timer1_ = nullptr;

    std::unique_ptr<MemoLog> log_;
    std::unique_ptr<ProgressBarSink> progress1_;
    QtEventPump pump_;
    std::unique_ptr<Session> session_;
};

} // namespace quarvel
