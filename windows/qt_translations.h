#pragma once

class QCoreApplication;

/// Gives the toolkit's own texts (file dialogs, standard buttons, the print preview) in Russian:
/// loads the toolkit's Russian catalogue from its translations folder into `app`. False when
/// the catalogue is not installed; the texts then stay in English.
bool InstallToolkitTranslations(QCoreApplication& app);
