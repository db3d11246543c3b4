#include "relay/HidapiSystem.h"

#ifdef VEZOZIL_HAVE_HIDAPI

#include <hidapi.h>

#include <QMutex>

#include <cerrno>

namespace {
// hidapi keeps its start-up and the error of a failed open in globals, and the relay is written on
// one thread while the devices are listed on another.
QMutex hidapiGlobals;

QString text(const wchar_t* s)
{
    return s ? QString::fromWCharArray(s) : QString();
}

class HidapiHandle : public HidHandle
{
public:
    explicit HidapiHandle(hid_device* device) : m_device(device) {}
    ~HidapiHandle() override { hid_close(m_device); }
    HidapiHandle(const HidapiHandle&) = delete;
    HidapiHandle& operator=(const HidapiHandle&) = delete;

    int sendFeatureReport(const QByteArray& report) override
    {
        return hid_send_feature_report(m_device, reinterpret_cast<const unsigned char*>(report.constData()),
                                       static_cast<size_t>(report.size()));
    }
    int getFeatureReport(QByteArray& report) override
    {
        return hid_get_feature_report(m_device, reinterpret_cast<unsigned char*>(report.data()),
                                      static_cast<size_t>(report.size()));
    }
    QString error() const override { return text(hid_error(m_device)); }

private:
    hid_device* m_device;
};
} // namespace

QList<HidDeviceEntry> HidapiSystem::enumerate(quint16 vendor, quint16 product)
{
    QList<HidDeviceEntry> entries;
    const QMutexLocker lock(&hidapiGlobals);
    hid_device_info* all = hid_enumerate(vendor, product);
    for (const hid_device_info* d = all; d != nullptr; d = d->next)
        entries << HidDeviceEntry{QByteArray(d->path), text(d->product_string), text(d->serial_number)};
    hid_free_enumeration(all);
    return entries;
}

std::unique_ptr<HidHandle> HidapiSystem::open(const QByteArray& path, int& error, QString& detail)
{
    const QMutexLocker lock(&hidapiGlobals);
    errno = 0;
    hid_device* device = hid_open_path(path.constData());
    if (device == nullptr) {
        error = errno;
        detail = text(hid_error(nullptr));
        if (detail.isEmpty())
            detail = QStringLiteral("cannot open ") + QString::fromLocal8Bit(path);
        return nullptr;
    }
    error = 0;
    return std::make_unique<HidapiHandle>(device);
}

#endif
