// Editing a text box: the length limit, typing done for a KeyPress handler, pastes and the
// notice at a box that refused an edit.
Object.assign(formsPage, {
  // Types into or deletes from a box as the user's own key would, with the box's undo history.
  // An edit made this way raises no beforeinput, so the length is checked here.
  edit(box, command, text) {
    if (command === "insertText" && !formsPage.fits(box, text.length)) return;
    if (document.activeElement === box && document.execCommand(command, false, text)) return;
    let start = box.selectionStart;
    const end = box.selectionEnd;
    if (command === "delete") {
      if (start === end && start > 0) start -= /[\udc00-\udfff]/.test(box.value[start - 1]) && start > 1 ? 2 : 1;
      box.setRangeText("", start, end, "end");
    } else {
      box.setRangeText(text, start, end, "end");
    }
  },

  // Whether `inserted` characters replacing the selection fit the box, by the core's rule
  // (core/pasting.h). If not, the notice shows at the box.
  fits(box, inserted) {
    const selected = Math.abs(box.selectionEnd - box.selectionStart);
    if (formsProgram.fitsTextBox(box.value.length, selected, inserted)) return true;
    formsPage.sayTooLong(box);
    return false;
  },

  // The notice shows under the box: in the window, or in the input box's dialog (the window
  // under a modal dialog is out of reach and partly hidden).
  sayTooLong(box) {
    const dialog = box.closest("dialog");
    let notice = dialog ? dialog.querySelector(".forms-notice") : document.getElementById("forms-notice");
    if (!notice) {
      notice = document.createElement("div");
      notice.className = "forms-notice";
      notice.setAttribute("role", "status");
      if (dialog) {
        box.after(notice);
      } else {
        notice.id = "forms-notice";
        formsPage.client.append(notice);
      }
    }
    notice.textContent = formsPage.notice;
    if (!dialog) {
      notice.style.left = box.style.left;
      notice.style.top = (parseFloat(box.style.top) + parseFloat(box.style.height) + 2) + "px";
    }
    notice.hidden = false;
    clearTimeout(formsPage.noticeTimer);
    formsPage.noticeTimer = setTimeout(() => { notice.hidden = true; }, 4000);
  },

  // Typing or dropping that would go beyond the limit is refused whole; a paste takes the
  // pasted line and is decided before anything is inserted. A NUL character never gets into a
  // box, as on the desktop: the program could not take the text after it.
  limitLength(box) {
    box.addEventListener("beforeinput", (event) => {
      if (!event.inputType.startsWith("insert") || event.inputType === "insertFromPaste") return;
      const text = event.data ?? (event.dataTransfer ? event.dataTransfer.getData("text/plain") : "");
      if (!formsPage.fits(box, text.length)) event.preventDefault();
    });
    box.addEventListener("input", () => {
      if (!box.value.includes("\0")) return;
      const caret = box.selectionEnd - (box.value.slice(0, box.selectionEnd).split("\0").length - 1);
      box.value = box.value.replaceAll("\0", "");
      box.setSelectionRange(caret, caret);
    });
    box.addEventListener("paste", (event) => {
      event.preventDefault();
      const line = formsPage.pastedLine(event.clipboardData ? event.clipboardData.getData("text/plain") : "");
      if (line) formsPage.edit(box, "insertText", line);
    });
  },

  // The core's rule (core/pasting.h), applied here so that a paste of any size is decided
  // without copying it into the program's memory: the first line (lines end at CR, LF or both)
  // that is not empty. Its NUL characters are left out.
  pastedLine(text) {
    const line = /[^\r\n]+/.exec(text);
    return line ? line[0].replaceAll("\0", "") : "";
  },
});
