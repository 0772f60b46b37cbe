// The one place that holds the setup on show: the calculator's state as the
// core last answered it. Views read it and ask for changes through
// dispatch(); every change runs one operation of the core and repaints every
// view from the new state in three steps, so that what a click changes shows
// without waiting for what computes more: the controls and rows at once; the
// rest of the answer beside them (the chart, the comparison) in the next
// frame; the panels below the answer (gains, the weapon table) and the
// address once that frame is painted.
export class Store {
  constructor(core) {
    this.core = core;
    this.state = null;
    this.views = [];
    this.framed = [];
    this.painted = [];
    this.frame = 0;
    this.task = 0;
    this.listeners = [];
    // Counts the loads of the data: an answer computed from the data as
    // loaded before (a comparison) is stale once it changes.
    this.loads = 0;
  }

  // when: 'now', 'frame' (the next frame) or 'painted' (after that frame).
  addView(view, { when = 'now' } = {}) {
    ({ now: this.views, frame: this.framed, painted: this.painted })[when].push(view);
  }

  // Called after every repaint (the builds view and the address keep up).
  onChange(listener) {
    this.listeners.push(listener);
  }

  // Runs a core operation that answers the calculator's state, and repaints.
  dispatch(op, args = {}) {
    if (op === 'load' || op === 'convert') this.loads++;
    return this.show(this.core.call(op, args));
  }

  // Shows an answer of the core that holds the calculator's state.
  show(answer) {
    this.state = { ...this.state, ...answer };
    this.render();
    return answer;
  }

  // Asks the core something that does not change the calculator.
  ask(op, args = {}) {
    return this.core.call(op, args);
  }

  render() {
    for (const view of this.views) view.render(this.state);
    for (const listener of this.listeners) listener(this.state);
    this.frame ||= requestAnimationFrame(() => {
      this.frame = 0;
      for (const view of this.framed) view.render(this.state);
      // A task queued by a frame's callback runs once that frame is painted.
      this.task ||= setTimeout(() => {
        this.task = 0;
        for (const view of this.painted) view.render(this.state);
      });
    });
  }
}
