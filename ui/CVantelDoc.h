#pragma once
// The document: a title and a path. The rows themselves live in the view,
// which reads and writes the document file.

#include <QString>

namespace tervane {

class CVantelView;

class CVantelDoc {
 public:
  explicit CVantelDoc(CVantelView& view) : view_(view) {}

  bool OnNewDocument();
  bool OnOpenDocument(const QString& path, QString* error);
  bool OnSaveDocument(const QString& path, QString* error);

  void SetTitle(const QString& title) { title_ = title; }
  const QString& GetTitle() const { return title_; }
  // Empty until the document was opened or saved.
  const QString& GetPathName() const { return path_; }

 private:
  CVantelView& view_;
  QString title_;
  QString path_;
};

}  // namespace tervane
