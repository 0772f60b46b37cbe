// The one place that holds the setup on show: the calculator's state as the
// core last answered it. Views read it and ask for changes through
// dispatch(); every change runs one operation of the core and repaints every
// view from the new state.
export class Store {
  constructor(core) {
    this.core = core;
    this.state = null;
    this.views = [];
    this.listeners = [];
  }

  addView(view) {
    this.views.push(view);
  }

  // Called after every repaint (the builds view and the address keep up).
  onChange(listener) {
    this.listeners.push(listener);
  }

  // Runs a core operation that answers the calculator's state, and repaints.
  dispatch(op, args = {}) {
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
  }
}
