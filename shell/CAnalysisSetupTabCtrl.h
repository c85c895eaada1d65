// The tab control of the setup dialog: its first page is the channel page,
// filled when it is added, its second the map page, set up when it is added.
#pragma once

#include "shell/CTabPageCtrl.h"

class CAnalysisSetupTabCtrl : public CTabPageCtrl {
public:
    static constexpr int kControlId = 413;

    explicit CAnalysisSetupTabCtrl(QWidget* parent = nullptr);
    ~CAnalysisSetupTabCtrl() override;

protected:
    void OnPageAdded(int index) override;
};
