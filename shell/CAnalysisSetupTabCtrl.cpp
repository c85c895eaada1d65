#include "shell/CAnalysisSetupTabCtrl.h"

#include "platform/ControlId.h"
#include "shell/CEditChannelValue_DlgPage.h"
#include "shell/CMapPropertyTab.h"

CAnalysisSetupTabCtrl::CAnalysisSetupTabCtrl(QWidget* parent) : CTabPageCtrl(parent) {
    platform::NamedControl(this, kControlId);
}

CAnalysisSetupTabCtrl::~CAnalysisSetupTabCtrl() { RemoveAllPages(); }

void CAnalysisSetupTabCtrl::OnPageAdded(int index) {
    if (index == 0) {
        if (auto* channels = dynamic_cast<CEditChannelValue_DlgPage*>(Page(index)))
            channels->Fill();
    } else if (index == 1) {
        if (auto* map = dynamic_cast<CMapPropertyTab*>(Page(index)))
            map->Init();
    }
}
