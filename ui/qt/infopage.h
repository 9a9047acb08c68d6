// The info strip's page: the words every front end shows there, and the
// link to the guide beside the program.
#pragma once

#include <QString>

// The page as HTML; its one link is the guide.
QString InfoPageHtml();
