#pragma once

// Applies the fix of a checker finding to the panel document as one undo step. Fixes that
// need a choice (a bitmap, a module) ask for it from a list of the files that are there.

#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"
#include "template/core/finding.h"

#include <QObject>

namespace cockpix {

class UserDialogs;

class FindingFixer : public QObject {
    Q_OBJECT
public:
    FindingFixer(PanelDocuments& documents, const AppModel& app, UserDialogs& dialogs,
                 QObject* parent = nullptr);

    // True when the panel changed; false when the fix was cancelled or could not be made
    // (the user has been told why).
    bool apply(const Fix& fix);

private:
    bool applyFs98(const Fix& fix);
    bool applyFs2k(fs2k::Document& document, const Fix& fix);
    bool setWindowValue(int w, fs98::WindowField field, fs98::WindowFieldValue value);
    bool chooseBitmap(int w);
    bool chooseModule(int w, int g);
    // Cuts the picture of the module out for the panel windows; warnings are shown.
    void extractPicture(int g, const std::string& name);

    PanelDocuments& m_documents;
    fs98::Document& m_document;
    const AppModel& m_app;
    UserDialogs& m_dialogs;
};

} // namespace cockpix
