// The meeting's modal dialogs, behind one port so that the commands can be
// tested from a script: the name (and code) to start or join with, the
// broker's settings, and the password, which is asked for and never stored.
#pragma once

#include <QString>
#include <optional>

#include "meeting/broker_settings.h"

class QWidget;

namespace palabrum {

struct MeetingEntry {
    QString code;  // empty when starting
    QString name;
};

class MeetingDialogs {
public:
    virtual ~MeetingDialogs() = default;
    // The player's name, offered as `name`, and with `withCode` the meeting's code; nothing on Cancel.
    virtual std::optional<MeetingEntry> AskEntry(bool withCode, const QString& name) = 0;
    virtual std::optional<BrokerSettings> AskSettings(const BrokerSettings& current) = 0;
    virtual std::optional<QString> AskPassword(const BrokerSettings& settings) = 0;
};

class QtMeetingDialogs : public MeetingDialogs {
public:
    explicit QtMeetingDialogs(QWidget* parent) : m_parent(parent) {}
    std::optional<MeetingEntry> AskEntry(bool withCode, const QString& name) override;
    std::optional<BrokerSettings> AskSettings(const BrokerSettings& current) override;
    std::optional<QString> AskPassword(const BrokerSettings& settings) override;

private:
    QWidget* m_parent;
};

}  // namespace palabrum
