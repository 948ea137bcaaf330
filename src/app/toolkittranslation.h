#pragma once

// The toolkit's own texts (the buttons and labels of its standard dialogs: the file dialog, the button boxes)
// in the program's language, Simplified Chinese, whatever the desktop's language is.

// Installs the toolkit's Chinese translation into the application, together with the few texts of the file
// dialog that this translation lacks; false when the translation is not installed on this computer, in which
// case those dialogs stay in English but for the texts supplied here.
bool loadToolkitTranslation();
