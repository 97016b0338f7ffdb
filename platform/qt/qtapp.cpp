#include "platform/qt/qtapp.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>
#include <atomic>

namespace platform {

void installSpanish(QCoreApplication& app) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qtbase_es", "qtmultimedia_es"}) {
    auto* translator = new QTranslator(&app);  // lives as long as the application
    if (translator->load(QString::fromLatin1(name), folder))
      app.installTranslator(translator);
    else
      delete translator;
  }
}

namespace {

QtMessageHandler previousHandler = nullptr;

bool isMultimediaNoise(const QString& text) {
  return text.startsWith(QLatin1String("No audio device detected")) ||
         text.startsWith(QLatin1String("PulseAudioService:")) ||
         text.startsWith(QLatin1String("QSoundEffect(qaudio):"));
}

void filterHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtWarningMsg && isMultimediaNoise(text)) return;
  // Qt hands back its default handler when none was installed, so this is never null.
  if (previousHandler) previousHandler(type, context, text);
}

}  // namespace

void quietMultimediaWarnings() {
  static std::atomic<bool> installed{false};
  if (installed.exchange(true)) return;
  previousHandler = qInstallMessageHandler(filterHandler);
}

void prepareApplication(QCoreApplication& app) {
  installSpanish(app);
  quietMultimediaWarnings();
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

}  // namespace platform
