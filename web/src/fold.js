// Panels that fold to their heading, so that a phone's page stays short: the
// heading becomes a button that opens and folds the panel. They start folded
// where the screen is narrow and open where it is wide; a panel with
// something to say (an alert or a status note with text) opens, so that no
// message goes unseen.
import { el } from './dom.js';

export function makeFoldable(sections, folded) {
  for (const section of sections) {
    const heading = section.querySelector('h2');
    const button = el('button', { type: 'button', className: 'fold', text: heading.textContent,
      onclick: () => show(!section.classList.contains('folded')) });
    const show = (fold) => {
      section.classList.toggle('folded', fold);
      button.ariaExpanded = String(!fold);
    };
    heading.replaceChildren(button);
    const notes = [...section.querySelectorAll('[role=alert], [role=status]')];
    show(folded && notes.every((note) => !note.textContent));
    for (const note of notes) {
      new MutationObserver(() => { if (note.textContent) show(false); })
        .observe(note, { childList: true, subtree: true, characterData: true });
    }
  }
}

// Opens a panel that may be folded (a button elsewhere brings it into view).
export function unfold(section) {
  if (section.classList.contains('folded')) section.querySelector('h2 button.fold').click();
}
