#include <msxml.h>
#include <oleauto.h>
#include <windows.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <new>
#include <string>

#include "export/document/msxml_document_service.h"
#include "textforms/failure_texts.h"
#include "textforms/program_text.h"
#include "textforms/system_text.h"

namespace zorva {
namespace {

// The one owner of a COM interface pointer.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { Reset(); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // Releases what it holds and offers its slot to a call that returns a pointer.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

// The one owner of a BSTR.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::u16string_view text)
      : b_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()))) {
    if (!b_) throw std::bad_alloc();
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(b_); }

  BSTR get() const { return b_; }
  BSTR* Put() {
    SysFreeString(b_);
    b_ = nullptr;
    return &b_;
  }
  std::u16string_view view() const {
    return {reinterpret_cast<const char16_t*>(b_), b_ ? SysStringLen(b_) : 0u};
  }

 private:
  BSTR b_ = nullptr;
};

// The one owner of a VARIANT's content.
class Variant {
 public:
  explicit Variant(std::u16string_view text) : text_(text) {
    VariantInit(&v_);
    v_.vt = VT_BSTR;
    v_.bstrVal = text_.get();
  }
  explicit Variant(std::int32_t number) {
    VariantInit(&v_);
    v_.vt = VT_I4;
    v_.lVal = number;
  }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  const VARIANT& get() const { return v_; }

 private:
  Bstr text_;  // owns the string a text variant points at
  VARIANT v_;
};

// A failure of the document's file names it.
[[noreturn]] void Raise(HRESULT status, std::string_view file, const std::string& description = {},
                        std::string source = {}, std::string helpFile = {}) {
  const auto code = static_cast<std::uint32_t>(status);
  throw DocumentFailure(file.empty() ? DocumentFailureText(description, SystemText(code), code)
                                     : DocumentFileFailureText(description, SystemText(code), code, file),
                        code, std::move(source), std::move(helpFile));
}

// Raises the failure of a call of the document object: what the object said
// of it, else what the system says of its status.
void Check(HRESULT status, std::string_view file = {}) {
  if (SUCCEEDED(status)) return;
  std::string description, source, helpFile;
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.Put()) == S_OK && info) {
    Bstr text;
    if (SUCCEEDED(info->GetDescription(text.Put()))) description = ProgramTextFromDocumentText(text.view());
    if (SUCCEEDED(info->GetSource(text.Put()))) source = ProgramTextFromDocumentText(text.view());
    if (SUCCEEDED(info->GetHelpFile(text.Put()))) helpFile = ProgramTextFromDocumentText(text.view());
  }
  Raise(status, file, description, std::move(source), std::move(helpFile));
}

// Raises the failure of a step that is not a call of the object (creating
// it, the file around it): the system's text alone, since what an earlier
// call left on the thread says nothing of this one.
void CheckStatus(HRESULT status, std::string_view file = {}) {
  if (FAILED(status)) Raise(status, file);
}

void CheckSystem(BOOL succeeded, std::string_view file) {
  if (!succeeded) CheckStatus(HRESULT_FROM_WIN32(GetLastError()), file);
}

std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }

// A temporary file beside the target, removed unless it has been moved over
// the target.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target) : target_(target) {
    std::filesystem::path folder = std::filesystem::path(Wide(DocumentText(target))).parent_path();
    if (folder.empty()) folder = L".";
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(folder.c_str(), L"zrv", 0, name) == 0) {
      // A folder that is not there is said to be an invalid name; say what it is.
      const DWORD error = GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES ? ERROR_PATH_NOT_FOUND
                                                                                        : GetLastError();
      CheckStatus(HRESULT_FROM_WIN32(error), target_);
    }
    path_ = name;
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }

  const std::string& Target() const { return target_; }
  std::u16string_view Path() const { return {reinterpret_cast<const char16_t*>(path_.data()), path_.size()}; }

  void MoveOver(std::u16string_view target) {
    CheckSystem(MoveFileExW(path_.c_str(), Wide(target).c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH),
                target_);
    path_.clear();
  }

 private:
  std::string target_;  // as the program names it, for failures
  std::wstring path_;
};

// The XML document object "Microsoft.XMLDOM", in the calling thread's
// apartment.
class MsxmlDocumentService : public DocumentService {
 public:
  MsxmlDocumentService(const std::string& fileName, const wchar_t* progId) : file_(fileName) {
    CLSID clsid;
    CheckStatus(CLSIDFromProgID(progId, &clsid));
    ComPtr<IUnknown> object;
    CheckStatus(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                 object.PutVoid()));
    if (FAILED(object->QueryInterface(IID_IXMLDOMDocument, document_.PutVoid())))
      throw DocumentFailure(ComposeFailureText(FailureText::InterfaceNotSupported),
                            static_cast<std::uint32_t>(E_NOINTERFACE));
  }

  void StartDocument(std::u16string_view root, std::span<const Attribute> attributes) override {
    // A declaration without data would be written as "<?xml?>", which no
    // reader accepts; and the object refuses data given to it afterwards.
    ComPtr<IXMLDOMProcessingInstruction> declaration;
    Check(document_->createProcessingInstruction(
        Bstr(u"xml").get(), Bstr(u"version=\"1.0\" encoding=\"UTF-8\"").get(), declaration.Put()));
    Append(document_.get(), declaration.get());
    Check(document_->createElement(Bstr(root).get(), root_.Put()));
    SetAttributes(root_.get(), attributes);
    Append(document_.get(), root_.get());
  }

  void BeginSection(const SectionNames& names) override {
    ComPtr<IXMLDOMElement> section;
    Check(document_->createElement(Bstr(names.name).get(), section.Put()));
    Append(root_.get(), section.get());
    Check(root_->selectSingleNode(Bstr(names.path).get(), section_.Put()));
    if (!section_) Check(E_FAIL);
    // The names of every row, made once for the section.
    rowName_ = std::make_unique<Bstr>(names.rowName);
    attributeNames_.clear();
    for (const std::u16string_view name : names.attributeNames) attributeNames_.emplace_back(name);
  }

  void AddRow(std::span<const AttributeValue> values) override {
    ComPtr<IXMLDOMElement> row;
    Check(document_->createElement(rowName_->get(), row.Put()));
    for (std::size_t i = 0; i < values.size(); ++i) SetAttribute(row.get(), attributeNames_.at(i), values[i]);
    Append(section_.get(), row.get());
  }

  void Save(std::u16string_view fileName) override {
    Check(document_->save(Variant(file_.Path()).get()), file_.Target());
    file_.MoveOver(fileName);
  }

 private:
  static void Append(IXMLDOMNode* parent, IXMLDOMNode* child) {
    ComPtr<IXMLDOMNode> appended;
    Check(parent->appendChild(child, appended.Put()));
  }

  static void SetAttributes(IXMLDOMElement* element, std::span<const Attribute> attributes) {
    for (const Attribute& attribute : attributes)
      SetAttribute(element, Bstr(attribute.name), attribute.value);
  }

  static void SetAttribute(IXMLDOMElement* element, const Bstr& name, const AttributeValue& value) {
    if (const auto* text = std::get_if<std::string_view>(&value))
      Check(element->setAttribute(name.get(), Variant(DocumentValue(*text)).get()));
    else
      Check(element->setAttribute(name.get(), Variant(std::get<std::int32_t>(value)).get()));
  }

  TemporaryFile file_;
  ComPtr<IXMLDOMDocument> document_;
  ComPtr<IXMLDOMElement> root_;
  ComPtr<IXMLDOMNode> section_;
  std::unique_ptr<Bstr> rowName_;    // of the current section
  std::deque<Bstr> attributeNames_;  // of the current section, in order
};

}  // namespace

std::unique_ptr<DocumentService> MakeComDocumentService(const std::string& fileName, const wchar_t* progId) {
  return std::make_unique<MsxmlDocumentService>(fileName, progId);
}

std::unique_ptr<DocumentService> MakeDocumentService(const std::string& fileName) {
  return MakeComDocumentService(fileName, L"Microsoft.XMLDOM");
}

}  // namespace zorva
