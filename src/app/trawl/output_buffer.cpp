#include "output_buffer.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace trawlex::app {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

FdOutputBuffer::FdOutputBuffer(int fd) : fd_(fd), buffer_(kBufferSize) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type ch) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
  *pptr() = traits_type::to_char_type(ch);
  pbump(1);
  return ch;
}

std::streamsize FdOutputBuffer::xsputn(const char* text, std::streamsize count) {
  const auto size = static_cast<std::size_t>(count);
  if (size > static_cast<std::size_t>(epptr() - pptr())) {
    if (!Drain()) return 0;
    // A piece as large as the buffer goes straight out: copying it first gains nothing.
    if (size >= buffer_.size()) return WriteAll(text, size) ? count : 0;
  }
  std::memcpy(pptr(), text, size);
  pbump(static_cast<int>(size));
  return count;
}

int FdOutputBuffer::sync() {
  return Drain() ? 0 : -1;
}

bool FdOutputBuffer::Drain() {
  const bool written = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return written;
}

bool FdOutputBuffer::WriteAll(const char* bytes, std::size_t count) {
  if (error_ != 0) return false;  // output that failed once stays failed
  while (count > 0) {
    const ssize_t written = ::write(fd_, bytes, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error_ = written < 0 ? errno : EIO;
      return false;
    }
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace trawlex::app
