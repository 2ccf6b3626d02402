#pragma once

#include <QLabel>

#include <string>
#include <string_view>

namespace telvoran {

// A panel with a centred caption and a raised or lowered double bevel, which reports a click
// with the left mouse button. Captions are kept in Windows-1250, as the program holds them.
class HeaderPanel : public QLabel {
  Q_OBJECT

 public:
  explicit HeaderPanel(QWidget* parent = nullptr);

  void SetCaption(std::string_view caption);
  const std::string& Caption() const { return caption_; }
  void SetHint(std::string_view hint);
  void SetLowered(bool lowered);
  bool IsLowered() const { return lowered_; }

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::string caption_;
  bool lowered_ = false;
  bool pressed_ = false;
};

}  // namespace telvoran
