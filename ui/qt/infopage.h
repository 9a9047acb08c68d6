// The short page shown in the info strip at the bottom of the window: what
// the tool does, and a link to the maker's page for the rest.
#pragma once

#include <QString>
#include <QUrl>

// The maker's information page.
QUrl MakerPageUrl();

// The page as HTML, linking to MakerPageUrl().
QString InfoPageHtml();
