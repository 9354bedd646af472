#include "picture_file.h"

#include <QFileDialog>
#include <QImage>
#include <QSaveFile>
#include <QStringList>

namespace kestra {

QString ChoosePictureName(QWidget* parent, const QString& title) {
  QFileDialog dialog(parent, title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({QStringLiteral("Bitmap (*.bmp)"), QStringLiteral("PNG (*.png)")});
  dialog.setDefaultSuffix(QStringLiteral("bmp"));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) {
                     dialog.setDefaultSuffix(filter.contains(QStringLiteral("png"))
                                                 ? QStringLiteral("png")
                                                 : QStringLiteral("bmp"));
                   });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return QString();
  return dialog.selectedFiles().constFirst();
}

bool SavePicture(const QImage& image, const QString& path) {
  if (image.isNull()) return false;
  const bool png = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && image.save(&file, png ? "PNG" : "BMP") &&
         file.commit();
}

}  // namespace kestra
