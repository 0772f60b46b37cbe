#include "VelkarApp.h"

#include "DialogFont.h"
#include "SjisText.h"
#include "VelkarDlg.h"
#include "VelkarTexts.h"
#include "data/DataManager.h"

CVelkarApp::CVelkarApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(FromSjis(txt::kWindowCaption));
  // Message boxes use the window's font too.
  setFont(MakeDialogFont());
}

CVelkarApp::~CVelkarApp() = default;

int CVelkarApp::Run() {
  {
    CVelkarDlg dlg;
    dlg.RestoreLastSetup();
    dlg.exec();  // its result does not matter: only Esc or the close box end it
  }
  // The store outlives the window; the records go with it here.
  CDataManager::GetInstance();
  CDataManager::DestroyInstance();
  return 0;
}
