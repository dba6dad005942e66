// What the program's control members read and change, and texts handed to the program.
Object.assign(formsPage, {
  // A text handed to the program: in memory the program frees.
  copyForProgram(text) {
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
  },

  isShown(index) { return !formsPage.controls[index].hidden; },
  isEnabled(index) { return !formsPage.focusTarget(index).disabled; },
  isSelected(index) { return formsPage.focusTarget(index).checked; },
  text(index) { return formsPage.copyForProgram(formsPage.controls[index].value); },
  setText(index, text) { formsPage.controls[index].value = text; },
  select(index, selected) { formsPage.focusTarget(index).checked = selected; },
  setShown(index, shown) { formsPage.controls[index].hidden = !shown; },
  setEnabled(index, enabled) {
    formsPage.focusTarget(index).disabled = !enabled;
    formsPage.controls[index].classList.toggle("forms-disabled", !enabled);
  },
  // The client area's colour as 0x00BBGGRR, read back from what the page draws.
  backColor() {
    const parts = getComputedStyle(formsPage.client).backgroundColor.match(/[0-9]+/g) || [0, 0, 0];
    return Number(parts[0]) | Number(parts[1]) << 8 | Number(parts[2]) << 16;
  },
  setBackColor(red, green, blue) { formsPage.client.style.backgroundColor = "rgb(" + red + "," + green + "," + blue + ")"; },
  writeErrorLine(line) { console.error(line); },
});
