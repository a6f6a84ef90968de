#include "locks/LockCommand.h"

#include "locks/LockDataDlg.h"
#include "locks/PasswordFlow.h"
#include "locks/PasswordStepDlg.h"
#include "session/ProcessorLink.h"

void OpenLockCommand(CProcessorLink& link, QWidget* pParent, const std::function<int(QDialog&)>& fnRun)
{
    using PasswordFlow::EStep;
    const ELanguage eLanguage = link.Notice().Language();
    EStep eStep = PasswordFlow::FirstStep(link.IsConnected(), !link.Locks().GetPassword().empty());
    while (eStep != EStep::End)
    {
        if (eStep == EStep::LockWindow)
        {
            CLockDataDlg dialog(link, pParent);
            fnRun(dialog);
            return;
        }
        CPasswordStepDlg dialog(eStep, eLanguage, pParent);
        fnRun(dialog);
        if (!dialog.Pressed())
            return;
        const PasswordFlow::Outcome outcome
            = PasswordFlow::Press(eStep, *dialog.Pressed(), dialog.FirstText(), dialog.SecondText(), link.Locks());
        if (outcome.bPasswordChanged)
            link.SendLockSet();
        eStep = outcome.eNext;
    }
}
