#ifndef TECHNICIAN_H
#define TECHNICIAN_H

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

// Answers the window's modal dialogs as a technician would: reads and confirms every message
// box (a box that would read its text as markup is marked so), and fills in the file dialog with
// the file that the test wants chosen.
class technician
{
public:
    technician()
    {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] { answer(); });
        timer.start();
    }

    // The next file dialog gets `path` typed in and Open pressed; an empty path cancels it.
    void willChoose(const QString &path) { chosenPath = path; }
    // A message box with more than one button gets the one with this text pressed.
    void willAnswer(const QString &buttonText) { answerButton = buttonText; }
    // A message box waits until this holds, for a second at most, before it is answered.
    void answerWhen(std::function<bool()> holds) { condition = std::move(holds); }

    QStringList messages;
    QStringList dialogSelection;
    QStringList dialogFilters;

private:
    void answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (condition && !condition() && ++heldTicks < 100)
                return;
            heldTicks = 0;
            // Messages quote paths, headers and the system's reasons, never to be read as markup.
            messages << (box->textFormat() == Qt::PlainText ? "" : "markup: ") + box->text();
            for (QAbstractButton *button : box->buttons())
                if (box->buttons().size() == 1 || button->text() == answerButton)
                    return button->click();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            if (!dialog->isVisible())
                return;
            dialogSelection = dialog->selectedFiles();
            dialogFilters = dialog->nameFilters();
            auto *buttons = dialog->findChild<QDialogButtonBox *>("buttonBox");
            if (chosenPath.isEmpty())
                return buttons->button(QDialogButtonBox::Cancel)->click();
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(chosenPath);
            buttons->button(QDialogButtonBox::Open)->click();
        }
    }

    QTimer timer;
    std::function<bool()> condition;
    int heldTicks = 0;
    QString chosenPath;
    QString answerButton;
};

#endif
