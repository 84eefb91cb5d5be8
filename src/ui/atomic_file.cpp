// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "ui/atomic_file.h"

#include <QDir>
#include <QSaveFile>
#include <array>
#include <streambuf>

namespace classe {
namespace {

// A std::ostream onto a QIODevice, buffered, so that a large export never
// has to be held in memory as a whole.
class DeviceBuffer : public std::streambuf {
 public:
  explicit DeviceBuffer(QIODevice& device) : device_(device) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
  }
  ~DeviceBuffer() override { sync(); }
  DeviceBuffer(const DeviceBuffer&) = delete;
  DeviceBuffer& operator=(const DeviceBuffer&) = delete;

 protected:
  int_type overflow(int_type c) override {
    if (!flush()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return flush() ? 0 : -1; }

 private:
  bool flush() {
    const auto pending = static_cast<qint64>(pptr() - pbase());
    const bool written = pending == 0 || device_.write(pbase(), pending) == pending;
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return written;
  }

  QIODevice& device_;
  std::array<char, 1 << 16> buffer_{};
};

}  // namespace

std::optional<QString> WriteFileAtomically(const QString& path,
                                           const std::function<bool(QIODevice&)>& write) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (!write(file) || file.error() != QFileDevice::NoError) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return reason;
  }
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

std::optional<QString> WriteFileAtomically(const QString& path,
                                           const std::function<void(std::ostream&)>& write) {
  return WriteFileAtomically(path, [&](QIODevice& device) {
    DeviceBuffer buffer(device);
    std::ostream out(&buffer);
    write(out);
    out.flush();
    return static_cast<bool>(out);
  });
}

QString WriteFailureMessage(const QString& path, const QString& reason) {
  return QStringLiteral(
             "Impossibile scrivere il file %1: %2. Un file già presente con quel nome "
             "non è stato modificato.")
      .arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace classe
