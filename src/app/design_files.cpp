// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The design file of the windows: Nuovo, Apri, Salva, the recent files, the
// modified mark in the titles and the question before changes are lost.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <variant>

#include "actions/analysis_fields.h"
#include "actions/document_controls.h"
#include "actions/field_text.h"
#include "actions/form4_controls.h"
#include "actions/form5_controls.h"
#include "actions/value_boxes.h"
#include "app/calculator.h"
#include "engine/document/document_json.h"
#include "report/design_report.h"
#include "ui/atomic_file.h"
#include "ui/qt_conversions.h"

namespace classe {
namespace {

constexpr int kRecentFiles = 8;
const QString kRecentKey = QStringLiteral("fileRecenti");
const QString kFilter = QStringLiteral("Progetto di Classe E (*.classe)");
constexpr const char* kBaseTitle = "classeBaseTitle";

// The values the main window shows of the design computed last: a design
// opened is not computed until asked.
constexpr const ValueBox* kMainValues[] = {
    &boxes::R,      &boxes::L1,     &boxes::C1,    &boxes::C2, &boxes::L2, &boxes::IDC,
    &boxes::Vc1max, &boxes::Iswmax, &boxes::Irmax, &boxes::L,  &boxes::C};

}  // namespace

void Calculator::connectFileMenu() {
  saved_ = inputs_ = DefaultDocument();
  const MainMenu& menu = main_.menu();
  connect(menu.newDesign, &QAction::triggered, this, &Calculator::newDesign);
  connect(menu.open, &QAction::triggered, this, &Calculator::chooseAndOpen);
  connect(menu.save, &QAction::triggered, this, &Calculator::save);
  connect(menu.saveAs, &QAction::triggered, this, &Calculator::saveAs);
  connect(menu.print, &QAction::triggered, this, &Calculator::printReport);
  connect(menu.exportReport, &QAction::triggered, this, &Calculator::exportReport);
  connect(menu.recent, &QMenu::aboutToShow, this, &Calculator::fillRecent);
  main_.setCloseGuard([this] { return mayDiscard(); });
  watchInputs(&main_);
  fillRecent();
  updateTitles();
}

document::DesignDocument Calculator::currentDocument() {
  // A window not open keeps the inputs it had when it was last shown.
  document::DesignDocument doc = inputs_;
  if (realCircuitWindow()) {
    doc = DocumentFromControls(controls_, realCircuit_, inputs_);
  } else {
    for (const InputField& field : kInputFields)
      SetDocumentText(doc, field, controls_.text(field.control));
  }
  if (Form5* parts = partsWindow()) {
    for (const InputField& field : kPartsFields)
      SetDocumentText(doc, field, parts->fieldText(field.control.name).toStdString());
    for (const ChoiceField& choice : kChoiceFields)
      doc.parts[std::string(choice.symbol)] = parts->fieldText(choice.control.name).toStdString();
    doc.parts[std::string(kPairsKey)] = parts->isChecked(form5::Check1.name) ? "si" : "no";
  } else {
    doc.parts = inputs_.parts;
  }
  readAnalysisInputs(doc);
  return doc;
}

void Calculator::showPartsInputs(Form5& form) {
  for (const InputField& field : kPartsFields)
    form.setFieldText(field.control.name, FromUtf8(DocumentText(inputs_, field)));
  RecordingControls choices;
  ShowPartsChoices(inputs_, choices);
  for (const ChoiceField& choice : kChoiceFields)
    form.setFieldText(choice.control.name, FromUtf8(choices.text(choice.control)));
  form.setChecked(form5::Check1.name, choices.isChecked(form5::Check1));
}

bool Calculator::isModified() {
  return currentDocument() != saved_;
}

// Every edit of a field or choice of the window marks the design modified.
void Calculator::watchInputs(FormWindow* form) {
  for (QLineEdit* field : form->findChildren<QLineEdit*>())
    connect(field, &QLineEdit::textChanged, this, &Calculator::inputsChanged);
  for (QComboBox* list : form->findChildren<QComboBox*>())
    connect(list, &QComboBox::currentTextChanged, this, &Calculator::inputsChanged);
  for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
    if (button->isCheckable())
      connect(button, &QAbstractButton::toggled, this, &Calculator::inputsChanged);
  }
  form->setProperty(kBaseTitle, form->windowTitle());
  QMetaObject::invokeMethod(this, &Calculator::updateTitles, Qt::QueuedConnection);
}

void Calculator::inputsChanged() {
  inputs_ = currentDocument();
  updateTitles();
}

// Nothing changes before a file is opened or saved; then every window names
// the file, and marks it "*" while its inputs differ from the file's.
void Calculator::updateTitles() {
  const bool modified = isModified();
  for (Window window : {Window::Form1, Window::Form2, Window::Form3, Window::Form4, Window::Form5,
                        Window::Form6, Window::Form7}) {
    FormWindow* form = controls_.existing(window);
    if (!form) continue;
    const QString base = form->property(kBaseTitle).toString();
    if (path_.isEmpty() && !modified) {
      form->setWindowTitle(base);
    } else {
      const QString name =
          path_.isEmpty() ? QStringLiteral("Senza nome") : QFileInfo(path_).fileName();
      form->setWindowTitle(name + QStringLiteral("[*] — ") + base);
    }
    form->setWindowModified(modified);
  }
}

bool Calculator::mayDiscard() {
  if (!isModified()) return true;
  SaveAnswer answer = SaveAnswer::Cancel;
  if (ask_) {
    answer = ask_();
  } else {
    QMessageBox box(QMessageBox::Question, ApplicationTitle(),
                    QStringLiteral("Salvare le modifiche?"), QMessageBox::NoButton, &main_);
    QAbstractButton* yes = box.addButton(QStringLiteral("Salva"), QMessageBox::AcceptRole);
    QAbstractButton* no =
        box.addButton(QStringLiteral("Non salvare"), QMessageBox::DestructiveRole);
    box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    box.exec();
    answer = box.clickedButton() == yes  ? SaveAnswer::Save
             : box.clickedButton() == no ? SaveAnswer::Discard
                                         : SaveAnswer::Cancel;
  }
  switch (answer) {
    case SaveAnswer::Save:
      return save();
    case SaveAnswer::Discard:
      return true;
    case SaveAnswer::Cancel:
      return false;
  }
  return false;
}

void Calculator::showRealCircuitInputs(Form4& form) {
  const document::RealCircuitInputs& real = inputs_.realCircuit;
  for (const InputField& field : kRealCircuitFields)
    form.setFieldText(field.control.name, FromUtf8(DocumentText(inputs_, field)));
  if (real.network) form.setChecked(form4::Check1.name, *real.network);
  form.select(real.exactDesign ? form4::Option1.name : form4::Option2.name);
  if (realCircuit_.curve) form.setCaption(form4::Label150.name, FromUtf8(realCircuit_.curveName));
}

// The inputs into the windows, the results of the design before emptied: the
// other windows close, the real circuit's opens again with the new inputs.
void Calculator::showDocument(const document::DesignDocument& doc) {
  ngspice_.cancel();
  controls_.closeOthers();
  // Gone now, not at the next turn of the event loop: their inputs are no
  // longer the design's.
  stopParts();
  parts_.reset();
  stopAnalyses();
  for (Window window :
       {Window::Form2, Window::Form3, Window::Form4, Window::Form5, Window::Form6, Window::Form7})
    delete controls_.existing(window);
  inputs_ = doc;
  for (const ValueBox* box : kMainValues)
    controls_.setCaption(box->control, "");
  for (const InputField& field : kInputFields)
    controls_.setText(field.control, DocumentText(doc, field));
  realCircuit_ = RealCircuitState{};
  if (!doc.realCircuit.curveName.empty()) {
    RecordingControls scratch;
    ShowDocument(doc, scratch, realCircuit_);
  }
  state_ = DesignState{};
}

void Calculator::newDesign() {
  if (!mayDiscard()) return;
  path_.clear();
  saved_ = DefaultDocument();
  showDocument(saved_);
  updateTitles();
}

bool Calculator::openDesign(const QString& path) {
  const QString shown = QDir::toNativeSeparators(path);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    messages_.show(QStringLiteral("Impossibile aprire %1: %2").arg(shown, file.errorString()),
                   true);
    return false;
  }
  if (file.size() > static_cast<qint64>(document::kMaxDocumentBytes)) {
    messages_.show(QStringLiteral("Impossibile aprire %1: il file è troppo grande per un progetto "
                                  "(più di 4 MB).")
                       .arg(shown),
                   true);
    return false;
  }
  const QByteArray bytes = file.read(static_cast<qint64>(document::kMaxDocumentBytes));
  auto read = document::ReadDocument(
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
      DefaultDocument());
  if (const auto* error = std::get_if<document::DocumentError>(&read)) {
    messages_.show(QStringLiteral("Impossibile aprire %1: %2").arg(shown, FromUtf8(error->message)),
                   true);
    return false;
  }
  auto& done = std::get<document::DocumentRead>(read);
  // The curve is checked before anything changes.
  RecordingControls scratch;
  RealCircuitState check;
  if (const auto refused = ShowDocument(done.doc, scratch, check)) {
    messages_.show(QStringLiteral("Impossibile aprire %1: %2").arg(shown, FromUtf8(*refused)),
                   true);
    return false;
  }
  path_ = QFileInfo(path).absoluteFilePath();
  saved_ = done.doc;
  showDocument(done.doc);
  rememberRecent(path_);
  updateTitles();
  if (!done.warning.empty()) messages_.show(FromUtf8(done.warning), false);
  return true;
}

bool Calculator::saveDesign(const QString& path) {
  const document::DesignDocument doc = currentDocument();
  const std::string text = document::WriteDocument(doc);
  const auto failure = WriteFileAtomically(path, [&](QIODevice& out) {
    return out.write(text.data(), static_cast<qint64>(text.size())) ==
           static_cast<qint64>(text.size());
  });
  if (failure) {
    messages_.show(WriteFailureMessage(path, *failure), true);
    return false;
  }
  path_ = QFileInfo(path).absoluteFilePath();
  saved_ = inputs_ = doc;
  rememberRecent(path_);
  updateTitles();
  return true;
}

void Calculator::chooseAndOpen() {
  if (!mayDiscard()) return;
  const FileChooser::Choice choice =
      files_.openFile(&main_, QStringLiteral("Apri progetto"), {kFilter});
  if (!choice.path.isEmpty()) openDesign(choice.path);
}

bool Calculator::save() {
  return path_.isEmpty() ? saveAs() : saveDesign(path_);
}

bool Calculator::saveAs() {
  const FileChooser::Choice choice = files_.saveFile(
      &main_, QStringLiteral("Salva progetto"),
      path_.isEmpty() ? QStringLiteral("progetto.classe") : QFileInfo(path_).fileName(), {kFilter});
  if (choice.path.isEmpty()) return false;
  QString path = choice.path;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".classe");
  return saveDesign(path);
}

void Calculator::rememberRecent(const QString& path) {
  QSettings settings;
  QStringList recent = settings.value(kRecentKey).toStringList();
  recent.removeAll(path);
  recent.prepend(path);
  while (recent.size() > kRecentFiles)
    recent.removeLast();
  settings.setValue(kRecentKey, recent);
  fillRecent();
}

void Calculator::fillRecent() {
  QMenu* menu = main_.menu().recent;
  menu->clear();
  const QStringList recent = QSettings().value(kRecentKey).toStringList();
  for (const QString& path : recent) {
    QAction* item = menu->addAction(QDir::toNativeSeparators(path));
    connect(item, &QAction::triggered, this, [this, path] {
      if (mayDiscard()) openDesign(path);
    });
  }
  menu->setEnabled(!recent.isEmpty());
}

void Calculator::printReport() {
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  printer->setPageSize(QPageSize(QPageSize::A4));
  printer->setDocName(QStringLiteral("Rapporto Classe E"));
  const bool go = askPrint_ ? askPrint_(&main_, *printer)
                            : QPrintDialog(printer.get(), &main_).exec() == QDialog::Accepted;
  if (!go) return;
  computeReport([printer](const document::DesignDocument& doc, const ComputedReport& report) {
    DrawReport(doc, report, *printer);
  });
}

void Calculator::exportReport() {
  const FileChooser::Choice choice = files_.saveFile(
      &main_, QStringLiteral("Esporta rapporto PDF"),
      path_.isEmpty() ? QStringLiteral("rapporto.pdf")
                      : QFileInfo(path_).completeBaseName() + QStringLiteral(".pdf"),
      {QStringLiteral("Documento PDF (*.pdf)")});
  if (choice.path.isEmpty()) return;
  computeReport([this, path = choice.path](const document::DesignDocument& doc,
                                           const ComputedReport& report) {
    if (const auto refused = WriteReportPdf(doc, report, path))
      messages_.show(FromUtf8(*refused), true);
  });
}

// The report's figures are computed off the GUI thread, since its tolerance
// run may take seconds; a dialog shows the builds done and can stop them,
// and then nothing is drawn.
void Calculator::computeReport(ReportDrawing draw) {
  if (reportRun_.running()) return;
  const document::DesignDocument doc = currentDocument();
  long long builds = 0;
  if (ToleranceRunDone(doc)) {
    const auto it = doc.tolerances.find(std::string(analysis::prove.name));
    const auto n = ParseWhole(it == doc.tolerances.end() ? analysis::prove.defaultText
                                                         : std::string_view(it->second));
    builds = n ? *n : 0;
  }
  auto job = std::make_shared<ReportJob>();
  reportJob_ = job;
  reportDrawing_ = std::move(draw);
  reportDocument_ = doc;
  auto* dialog =
      new QProgressDialog(QStringLiteral("Preparazione del rapporto…"),
                          QStringLiteral("Interrompi"), 0, builds > 0 ? 1000 : 0, &main_);
  dialog->setWindowTitle(QStringLiteral("Rapporto"));
  dialog->setWindowModality(Qt::WindowModal);
  dialog->setMinimumDuration(400);  // a quick report shows no dialog
  dialog->setAutoReset(false);
  dialog->setAutoClose(false);
  reportProgress_ = dialog;
  connect(dialog, &QProgressDialog::canceled, this, [this] { reportRun_.stop(); });
  reportRun_.start(
      [doc, job](statistics::Progress& progress) {
        job->outcome = ComputeReport(doc, job->report, &progress);
      },
      builds);
}

void Calculator::reportComputed(bool stopped) {
  if (reportProgress_) reportProgress_->deleteLater();
  const std::shared_ptr<ReportJob> job = std::move(reportJob_);
  if (!job || stopped) return;
  if (job->outcome != Outcome::Done) {
    messages_.show(FromUtf8(ReportRefusal(job->report)), true);
    return;
  }
  reportDrawing_(reportDocument_, job->report);
}

}  // namespace classe
