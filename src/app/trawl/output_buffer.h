#pragma once
// Standard output as trawl writes it: buffered writes to a file descriptor that remember why
// the first failing one failed, so the command can end with grep's "write error: <reason>".

#include <streambuf>
#include <vector>

namespace trawlex::app {

class FdOutputBuffer final : public std::streambuf {
 public:
  explicit FdOutputBuffer(int fd);
  ~FdOutputBuffer() override { sync(); }
  FdOutputBuffer(const FdOutputBuffer&) = delete;
  FdOutputBuffer& operator=(const FdOutputBuffer&) = delete;

  // The errno of the first write that failed; 0 while every write succeeded.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type ch) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  // Writes out and empties the buffer; false when the descriptor refused the bytes.
  bool Drain();
  bool WriteAll(const char* bytes, std::size_t count);

  int fd_;
  int error_ = 0;
  std::vector<char> buffer_;
};

}  // namespace trawlex::app
