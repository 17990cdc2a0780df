#include "CVantelDoc.h"

#include <QFileInfo>

#include "CVantelView.h"

namespace tervane {

bool CVantelDoc::OnNewDocument() {
  path_.clear();
  SetTitle(QString());
  return true;
}

bool CVantelDoc::OnOpenDocument(const QString& path, QString* error) {
  if (!view_.LoadDocument(path, error)) return false;
  path_ = path;
  SetTitle(QFileInfo(path).fileName());
  return true;
}

bool CVantelDoc::OnSaveDocument(const QString& path, QString* error) {
  if (!view_.SaveDocument(path, error)) return false;  // nothing is reported as saved
  path_ = path;
  SetTitle(QFileInfo(path).fileName());
  return true;
}

}  // namespace tervane
