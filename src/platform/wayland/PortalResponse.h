#pragma once

#include <QObject>
#include <QVariantMap>

#include <optional>

namespace padrix::wayland {

// Receives the answer to one desktop portal request: the Response signal of
// its org.freedesktop.portal.Request object.
class PortalResponse : public QObject {
    Q_OBJECT

  public:
    struct Answer {
        uint code = 2;  // 0 done, 1 cancelled by the user, 2 failed
        QVariantMap results;
    };

    const std::optional<Answer>& answer() const { return answer_; }

  signals:
    void answered();

  public slots:
    void OnResponse(uint code, const QVariantMap& results);

  private:
    std::optional<Answer> answer_;
};

}  // namespace padrix::wayland
