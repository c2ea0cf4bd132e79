#include "results/question_texts.h"

namespace trawlex::results {

std::string OpenFailedText(const std::string& path, const std::string& error) {
  return "An error occured while opening the below file.||Error: " + error + "|File: " + path +
         "||Please correct this and press Retry " + "|or press Ignore to skip the file this pass" +
         "|or press Remove to delete the file from the list.";
}

std::string ReadFailedText(const std::string& path, const std::string& error) {
  return "Read error " + path + "\r\n" + error;
}

std::string NoFilesFoundText(const std::string& path, const std::string& spec) {
  return "No files were found||Path: " + path + "|Spec: " + spec;
}

}  // namespace trawlex::results
